// The main window's logic: start-up, the end of the window, and edits.
#include "core/PenletForm.h"

#include "core/Settings.h"
#include "platform/system/Dpi.h"

namespace penlet {

TPenletForm::TPenletForm(EditArea& richEdit1, FormView& view, Profile& profile, AboutBox& aboutBox,
                         DocumentCommands& documents, Counter& counter, FindReplace& findReplace,
                         PrintCommand& print, SendCommand& send, LeadByteSet leadBytes)
    : richEdit1_(richEdit1),
      view_(view),
      profile_(profile),
      aboutBox_(aboutBox),
      documents_(documents),
      counter_(counter),
      findReplace_(findReplace),
      print_(print),
      send_(send),
      leadBytes_(leadBytes) {
  richEdit1_.SetListener(this);
}

TPenletForm::~TPenletForm() {
  richEdit1_.SetListener(nullptr);
}

void TPenletForm::FormCreate() {
  // The file keeps the size in designed pixels (96 dots per inch), so that a size written on one
  // screen opens a window of the same size to the eye on another.
  const WindowSize size = ReadWindowSize(profile_, leadBytes_);
  const int dpi = view_.Dpi();
  view_.SetWindowSize(ScaleForDpi(size.width, dpi), ScaleForDpi(size.height, dpi));
  documents_.Reset();
  counter_.Reset();
  counter_.SelectionChange();
}

void TPenletForm::FormShow(const std::vector<std::string>& paths) {
  for (const std::string& path : paths) OpenDocument(path);
}

void TPenletForm::FormDestroy() {
  // The position stays in screen pixels: it says where on this screen, and nothing reads it.
  WindowRect rect = view_.RememberedRect();
  const int dpi = view_.Dpi();
  rect.width = UnscaleForDpi(rect.width, dpi);
  rect.height = UnscaleForDpi(rect.height, dpi);
  WriteWindowRect(profile_, leadBytes_, rect);
}

void TPenletForm::RichEdit1Change() {
  print_.LinesChanged();
  send_.LinesChanged();
  documents_.Changed();
  // An edit that leaves the caret where it was (a forward Delete) moves no selection: the
  // counter and the panels follow the text here. When the caret moves too, the refresh that
  // follows finds the displays already right and changes nothing.
  counter_.UpdateCounter();
}

}  // namespace penlet
