# Changes to the component's src/Document.cxx; cmake/ScintillaChanges.cmake says what each is for.
penlet_change_scintilla_file("${dir}" src/Document.cxx document [=[
using namespace Scintilla::Internal;
]=] [=[
using namespace Scintilla::Internal;

namespace {

// Marks the document as being modified for as long as it lives, however the modification ends
// (a change of Penlet's).
class EnteredModification {
	int &depth;
public:
	explicit EnteredModification(int &depth_) noexcept : depth(depth_) { depth++; }
	~EnteredModification() { depth--; }
	EnteredModification(const EnteredModification &) = delete;
	EnteredModification &operator=(const EnteredModification &) = delete;
};

}
]=] [=[
enteredModification++;]=] [=[
const EnteredModification entered(enteredModification);]=] [=[
enteredModification--;]=] [=[
// The modification ends here.]=])
list(APPEND changed_sources "${document}")
