// A printer that records the job it is given, and a print surface that holds its text and lays
// it out like the real one: positions in bytes, pages of a set size.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/print/Printer.h"

namespace penlet {

class FakePrinter : public Printer {
 public:
  bool RunPrintDialog() override {
    log.push_back("dialog");
    if (dialogAnswer && printing) throw PrinterError(PrinterFailure::kPrintingNow);
    return dialogAnswer;
  }
  void Reserve() override {
    log.push_back("reserve");
    printing = true;
  }
  DeviceContext StartJob(const std::string& title) override {
    log.push_back("start:" + title);
    if (startError) startError();
    printing = true;
    return kDc;
  }
  DeviceCaps Caps() const override { return caps; }
  int SetTextMapping() override {
    log.push_back("map");
    return kPreviousMapping;
  }
  void RestoreMapping(int previous) override {
    log.push_back("restore:" + std::to_string(previous));
  }
  // The window answers while the driver works: `whileAnswering` runs before the work is done.
  void NewPage() override {
    RunOnJob([this] { log.push_back("page"); });
  }
  void EndJob() override {
    RunOnJob([this] { log.push_back("end"); });
  }
  void RunOnJob(const std::function<void()>& work) override {
    if (whileAnswering) whileAnswering();
    work();
  }
  void KeepAnsweringHoldingInput() override {
    if (whileAnsweringHoldingInput) whileAnsweringHoldingInput();
  }
  void CloseJob() override {
    log.push_back("close");
    printing = false;
  }

  static constexpr DeviceContext kDc = 0x1234;
  static constexpr int kPreviousMapping = 7;
  bool dialogAnswer = true;
  std::function<void()> startError;      // raises, when set
  std::function<void()> whileAnswering;  // what the window does while the job lets it
  std::function<void()> whileAnsweringHoldingInput;
  DeviceCaps caps{4760, 6812, 600, 600};
  bool printing = false;
  std::vector<std::string> log;
};

class FakePrintSurface : public PrintSurface {
 public:
  void Clear() override {
    text_.clear();
    caret_ = 0;
  }
  std::int32_t LineCount() const override {
    std::int32_t count = 1;
    for (size_t at = text_.find("\r\n"); at != std::string::npos; at = text_.find("\r\n", at + 2)) {
      ++count;
    }
    return count;
  }
  std::int32_t LineIndex(std::int32_t line) const override {
    size_t start = 0;
    for (std::int32_t i = 0; i < line; ++i) {
      const size_t at = text_.find("\r\n", start);
      if (at == std::string::npos) return -1;
      start = at + 2;
    }
    return line < 0 ? -1 : static_cast<std::int32_t>(start);
  }
  void SetCaret(std::int32_t position) override { caret_ = position; }
  // A control that ran out of room would take only part of the text: `room` sets how much.
  void ReplaceSelection(const std::string& text) override {
    const size_t left = room > TextLength() ? static_cast<size_t>(room - TextLength()) : 0;
    const std::string in = text.substr(0, left);
    text_.insert(static_cast<size_t>(caret_), in);
    caret_ += static_cast<std::int32_t>(in.size());
  }
  std::int32_t Caret() const override { return caret_; }
  std::int32_t LengthOf(const std::string& text) const override {
    return static_cast<std::int32_t>(text.size());
  }
  std::int32_t TextLength() const override { return static_cast<std::int32_t>(text_.size()); }
  void ClearFormatting() override { log.push_back("clear"); }
  std::int32_t RenderPage(DeviceContext dc, const TwipsRect& rect, std::int32_t first,
                          const OnJob& onJob) override {
    log.push_back("render:" + std::to_string(first));
    onJob([&] { renderedOn.push_back(dc); });
    rects.push_back(rect);
    if (renderError) renderError(first);
    const std::int32_t length = TextLength();
    return first + pageCapacity < length ? first + pageCapacity : length;
  }

  const std::string& Text() const { return text_; }

  std::int32_t room = 0x7FFFFFFF;   // bytes the surface takes in all
  std::int32_t pageCapacity = 100;  // bytes that fit on one page; 0: not even one
  std::function<void(std::int32_t first)> renderError;  // raises, when set
  std::vector<std::string> log;
  std::vector<DeviceContext> renderedOn;
  std::vector<TwipsRect> rects;

 private:
  std::string text_;
  std::int32_t caret_ = 0;
};

}  // namespace penlet
