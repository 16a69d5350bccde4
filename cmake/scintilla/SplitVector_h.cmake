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
	std::vector<T, GapAllocator<T>> body;
	// Penlet: a bigger body being filled from this one a piece at a time, the size it is for,
	// and how many of the elements it holds (ReAllocateTowards).
	std::vector<T, GapAllocator<T>> grown;
	size_t grownSize = 0;
	ptrdiff_t grownLength = 0;

	// Penlet: the elements change, so a bigger body being filled no longer holds them.
	void DropGrowth() noexcept {
		if (grownSize > 0) {
			std::vector<T, GapAllocator<T>>().swap(grown);
			grownSize = 0;
			grownLength = 0;
		}
	}]=] [=[
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
	}

	// Makes room for `newSize` elements a piece at a time (a change of Penlet's): a bigger body
	// is filled from this one, at most `most` elements per call, and takes its place once it
	// holds them all, the gap at its end. Grown at once, a body of hundreds of megabytes is
	// copied whole in one go. Any change of the elements in between starts it again. True once
	// the room is had; std::bad_alloc when the bigger body cannot be had, nothing changed.
	bool ReAllocateTowards(size_t newSize, ptrdiff_t most) {
		if (newSize <= body.size()) {
			DropGrowth();
			return true;
		}
		if (grownSize != newSize) {
			DropGrowth();
			grown.reserve(newSize);
			grownSize = newSize;
		}
		const ptrdiff_t end = std::min(lengthBody, grownLength + std::max<ptrdiff_t>(most, 1));
		grown.resize(end);  // nothing written: the allocator leaves the elements as they come
		if (grownLength < part1Length) {
			const ptrdiff_t upTo = std::min(end, part1Length);
			std::copy(body.data() + grownLength, body.data() + upTo, grown.data() + grownLength);
			grownLength = upTo;
		}
		if (grownLength < end) {
			std::copy(body.data() + gapLength + grownLength, body.data() + gapLength + end,
				grown.data() + grownLength);
			grownLength = end;
		}
		if (grownLength < lengthBody)
			return false;
		grown.resize(newSize);
		body.swap(grown);
		part1Length = lengthBody;
		gapLength = static_cast<ptrdiff_t>(newSize) - lengthBody;
		DropGrowth();
		return true;
	}]=]
	# Penlet: every change of the elements, other than through operator[] and the pointers that
	# the text's buffer never writes through, drops a bigger body being filled.
	[=[
	void RoomFor(ptrdiff_t insertionLength) {
		if (gapLength < insertionLength) {]=] [=[
	void RoomFor(ptrdiff_t insertionLength) {
		DropGrowth();
		if (gapLength < insertionLength) {]=] [=[
	void Init() {
		body.clear();]=] [=[
	void Init() {
		DropGrowth();
		body.clear();]=] [=[
	void ReAllocate(size_t newSize) {
		if (newSize > body.size()) {]=] [=[
	void ReAllocate(size_t newSize) {
		DropGrowth();
		if (newSize > body.size()) {]=] [=[
	void SetValueAt(ptrdiff_t position, ParamType&& v) noexcept {
		if (position < part1Length) {]=] [=[
	void SetValueAt(ptrdiff_t position, ParamType&& v) noexcept {
		DropGrowth();
		if (position < part1Length) {]=] [=[
	void DeleteRange(ptrdiff_t position, ptrdiff_t deleteLength) {
		PLATFORM_ASSERT(]=] [=[
	void DeleteRange(ptrdiff_t position, ptrdiff_t deleteLength) {
		DropGrowth();
		PLATFORM_ASSERT(]=])
