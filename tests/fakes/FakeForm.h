// Fakes of the main window's view and message boxes, recording what the logic did.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "core/FormView.h"
#include "ui/MessageDialog.h"

namespace penlet {

class FakeFormView : public FormView {
 public:
  void SetCaption(const std::string& cp932) override { caption = cp932; }
  std::string Caption() const override { return caption; }
  void SetSaveEnabled(bool enabled) override { saveEnabled = enabled; }
  void Close() override { ++closeRequests; }

  std::string caption;
  bool saveEnabled = true;
  int closeRequests = 0;
};

class FakeMessageBoxes : public MessageBoxes {
 public:
  DialogResult ShowMessageDialog(const std::string& text, MessageKind kind,
                                 unsigned buttons) override {
    shown.push_back(text);
    if (answers.empty()) return DialogResult::Cancel;
    DialogResult answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void ShowPlainMessage(const std::string& text) override { shown.push_back(text); }

  std::deque<DialogResult> answers;  // given in turn; Cancel when none is left
  std::vector<std::string> shown;
};

}  // namespace penlet
