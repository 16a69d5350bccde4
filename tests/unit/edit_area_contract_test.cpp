// The fake editing area held to the contract that the real one keeps under Wine.
#include "tests/contract/EditAreaContract.h"
#include "tests/fakes/FakeEditArea.h"

namespace penlet {
namespace {

class FakeHost {
 public:
  FakeHost() { edit_.clipboard = &clipboard_; }
  EditArea& Edit() { return edit_; }
  void Type(const std::string& bytes) { edit_.Type(bytes); }
  void SetClipboard(const std::string& bytes) { clipboard_ = bytes; }
  std::string Clipboard() { return clipboard_; }
  void Narrow() { edit_.SetWrapWidth(20); }

 private:
  FakeEditArea edit_;
  std::string clipboard_;
};

INSTANTIATE_TYPED_TEST_SUITE_P(Fake, EditAreaContract, ::testing::Types<FakeHost>);

}  // namespace
}  // namespace penlet
