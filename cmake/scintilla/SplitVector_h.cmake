# Changes to the component's src/SplitVector.h; cmake/ScintillaChanges.cmake says what each is for.
penlet_change_scintilla_file("${dir}" src/SplitVector.h split_vector [=[
			gapLength += newSize - body.size();
			// RoomFor implements a growth strategy but so does vector::resize so
			// ensure vector::resize allocates exactly the amount wanted by
			// calling reserve first.
			body.reserve(newSize);]=] [=[
			// RoomFor implements a growth strategy but so does vector::resize so
			// ensure vector::resize allocates exactly the amount wanted by
			// calling reserve first. The gap grows once the room is had (a change of
			// Penlet's): a reserve that fails leaves the buffer as it was.
			body.reserve(newSize);
			gapLength += newSize - body.size();]=] [=[
namespace Scintilla::Internal {

template <typename T>
class SplitVector {
protected:
	std::vector<T> body;]=] [=[
namespace Scintilla::Internal {

// Penlet: the room a vector grows by is left as the allocation gives it, where the release
// fills it with zeros. Room for a long text's edit in steps, made at once, was a hundred
// milliseconds of writing zeros into memory that the steps fill anyway.
template <typename T>
class GapAllocator : public std::allocator<T> {
public:
	template <typename U>
	struct rebind {
		using other = GapAllocator<U>;
	};
	GapAllocator() noexcept = default;
	template <typename U>
	GapAllocator(const GapAllocator<U> &) noexcept {}
	template <typename U>
	void construct(U *p) noexcept(std::is_nothrow_default_constructible_v<U>) {
		::new (static_cast<void *>(p)) U;
	}
	template <typename U, typename... Args>
	void construct(U *p, Args &&...args) {
		::new (static_cast<void *>(p)) U(std::forward<Args>(args)...);
	}
};

template <typename T>
class SplitVector {
protected:
	std::vector<T, GapAllocator<T>> body;]=] [=[
	ptrdiff_t GapPosition() const noexcept {
		return part1Length;
	}]=] [=[
	ptrdiff_t GapPosition() const noexcept {
		return part1Length;
	}

	// Moves the gap towards `position` by at most `most` elements (a change of Penlet's): a
	// long way taken in steps, each a short copy.
	void GapTowards(ptrdiff_t position, ptrdiff_t most) noexcept {
		if (position < 0 || position > lengthBody || most <= 0)
			return;
		if (position < part1Length - most)
			position = part1Length - most;
		else if (position > part1Length + most)
			position = part1Length + most;
		GapTo(position);
	}]=])
