// A printer that records the job it is given, and a print surface that holds its text and lays
// it out like the rich edit control: positions in characters, a text limit, pages of a set size.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/Mbcs.h"
#include "platform/Printer.h"

namespace penlet {

class FakePrinter : public Printer {
 public:
  bool RunPrintDialog() override {
    log.push_back("dialog");
    return dialogAnswer;
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
  void RestoreMapping(int previous) override { log.push_back("restore:" + std::to_string(previous)); }
  void NewPage() override { log.push_back("page"); }
  void EndJob() override { log.push_back("end"); }
  void CloseJob() override {
    log.push_back("close");
    printing = false;
  }

  static constexpr DeviceContext kDc = 0x1234;
  static constexpr int kPreviousMapping = 7;
  bool dialogAnswer = true;
  std::function<void()> startError;  // raises, when set
  DeviceCaps caps{4760, 6812, 600, 600};
  bool printing = false;
  std::vector<std::string> log;
};

class FakePrintSurface : public PrintSurface {
 public:
  explicit FakePrintSurface(LeadByteSet leadBytes = LeadByteSet::Cp932()) : leadBytes_(leadBytes) {}

  void SetTextLimit(std::int32_t limit) override {
    if (!keepLimit) limit_ = limit == 0 ? kDefaultLimit : limit;
  }
  void Clear() override {
    chars_.clear();
    caret_ = 0;
  }
  std::int32_t LineCount() const override {
    std::int32_t count = 1;
    for (size_t i = 0; i + 1 < chars_.size(); ++i) count += chars_[i] == "\r" && chars_[i + 1] == "\n";
    return count;
  }
  std::int32_t LineIndex(std::int32_t line) const override {
    if (line == 0) return 0;
    std::int32_t seen = 0;
    for (size_t i = 0; i + 1 < chars_.size(); ++i) {
      if (chars_[i] == "\r" && chars_[i + 1] == "\n" && ++seen == line) {
        return static_cast<std::int32_t>(i + 2);
      }
    }
    return -1;
  }
  void SetCaret(std::int32_t position) override { caret_ = position; }
  // Like the control, takes only as many characters as the limit leaves room for.
  void ReplaceSelection(const std::string& text) override {
    std::vector<std::string> in = Split(text);
    const size_t room = limit_ > static_cast<std::int32_t>(chars_.size()) ? limit_ - chars_.size() : 0;
    if (in.size() > room) in.resize(room);
    chars_.insert(chars_.begin() + caret_, in.begin(), in.end());
    caret_ += static_cast<std::int32_t>(in.size());
  }
  std::int32_t Caret() const override { return caret_; }
  std::int32_t LengthOf(const std::string& text) const override {
    return static_cast<std::int32_t>(Split(text).size());
  }
  std::int32_t TextLength() const override { return static_cast<std::int32_t>(chars_.size()); }
  void ClearFormatting() override { log.push_back("clear"); }
  std::int32_t RenderPage(DeviceContext dc, const TwipsRect& rect, std::int32_t first) override {
    log.push_back("render:" + std::to_string(first));
    renderedOn.push_back(dc);
    rects.push_back(rect);
    if (renderError) renderError(first);
    const std::int32_t length = TextLength();
    return first + pageCapacity < length ? first + pageCapacity : length;
  }

  std::string Text() const {
    std::string text;
    for (const std::string& c : chars_) text += c;
    return text;
  }
  std::int32_t Limit() const { return limit_; }

  static constexpr std::int32_t kDefaultLimit = 0x10000;
  bool keepLimit = false;          // a control that ignores a new limit
  std::int32_t pageCapacity = 100;  // characters that fit on one page; 0: not even one
  std::function<void(std::int32_t first)> renderError;  // raises, when set
  std::vector<std::string> log;
  std::vector<DeviceContext> renderedOn;
  std::vector<TwipsRect> rects;

 private:
  std::vector<std::string> Split(const std::string& text) const {
    std::vector<std::string> chars;
    for (size_t p = 0; p < text.size();) {
      const size_t next = leadBytes_.Next(text, p);
      chars.push_back(text.substr(p, next - p));
      p = next;
    }
    return chars;
  }

  LeadByteSet leadBytes_;
  std::vector<std::string> chars_;  // one entry a character
  std::int32_t caret_ = 0;
  std::int32_t limit_ = kDefaultLimit;
};

}  // namespace penlet
