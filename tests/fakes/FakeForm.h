// Fakes of the main window's view and message boxes, recording what the logic did.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "core/AboutBox.h"
#include "core/FormView.h"
#include "core/MessageBoxes.h"

namespace penlet {

class FakeFormView : public FormView {
 public:
  void SetCaption(const std::string& cp932) override { caption = cp932; }
  std::string Caption() const override { return caption; }
  void SetSaveEnabled(bool enabled) override { saveEnabled = enabled; }
  void Close() override { ++closeRequests; }
  void SetToolButtonEnabled(ToolButton button, bool enabled) override {
    buttons[static_cast<int>(button)] = enabled;
  }
  std::string Memo1Text() const override { return memo1; }
  void SetMemo1Text(const std::string& cp932) override {
    memo1 = cp932;
    ++memo1Sets;
  }
  void SetMemo1Color(Color color) override { memo1Color = color; }
  std::string Memo2Text() const override { return memo2; }
  void SetMemo2Text(const std::string& cp932) override {
    memo2 = cp932;
    ++memo2Sets;
  }
  void HideCaret() override { ++caretHides; }
  void SendToFocusedEdit(EditCommand command) override { editCommands.push_back(command); }
  std::string StatusText(int panel) const override { return status[panel]; }
  void SetStatusText(int panel, const std::string& cp932) override { status[panel] = cp932; }
  void SetWindowSize(int width, int height) override {
    size = {rect.left, rect.top, width, height};
  }
  WindowRect RememberedRect() const override { return rect; }
  int Dpi() const override { return dpi; }
  void BeepQuestion() override { ++questionBeeps; }
  void BringMainWindowToFront() override { ++broughtToFront; }

  std::string caption;
  bool saveEnabled = true;
  int closeRequests = 0;
  bool buttons[3] = {true, true, true};  // Cut, Copy, Paste
  std::string memo1, memo2;
  int memo1Sets = 0, memo2Sets = 0;
  Color memo1Color = 0;
  int caretHides = 0;
  std::vector<EditCommand> editCommands;
  std::string status[3];
  WindowRect size;  // what SetWindowSize gave
  WindowRect rect;  // what RememberedRect answers
  int dpi = 96;
  int questionBeeps = 0;
  int broughtToFront = 0;
};

class FakeAboutBox : public AboutBox {
 public:
  int ShowModal() override { return ++shown, 2; }
  int shown = 0;
};

class FakeMessageBoxes : public MessageBoxes {
 public:
  DialogResult ShowMessageDialog(const std::string& text, MessageKind kind,
                                 unsigned buttons) override {
    shown.push_back(text);
    kinds.push_back(kind);
    buttonSets.push_back(buttons);
    if (answers.empty()) return DialogResult::Cancel;
    DialogResult answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void ShowPlainMessage(const std::string& text) override { shown.push_back(text); }

  std::deque<DialogResult> answers;  // given in turn; Cancel when none is left
  std::vector<std::string> shown;
  std::vector<MessageKind> kinds;    // of the message dialogs, in turn
  std::vector<unsigned> buttonSets;  // of the message dialogs, in turn
};

}  // namespace penlet
