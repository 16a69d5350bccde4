// Loading a document file into the editing area and saving it back, with the program's
// messages for every failure.
#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/edit/EditArea.h"
#include "platform/files/Files.h"

namespace penlet {

// `format` with each "%s" replaced, in order, by the next of `values`; a "%s" without a value
// is left as it is. The values are never read as formats themselves.
std::string FormatText(std::string_view format, std::initializer_list<std::string_view> values);

// "ファイル "<full path>". <description> は開けません" / "... を作成できません", in code page 932.
std::string OpenErrorText(const Files& files, const std::string& path, ErrorCode code);
std::string CreateErrorText(const Files& files, const std::string& path, ErrorCode code);

// Replaces the editing area's text, as EditArea::StreamIn does; false when a read failed.
// `expectedBytes` is the file's size.
using StreamInto = std::function<bool(const ReadBlock& read, std::int64_t expectedBytes)>;

// Loads the file at `path` through `streamIn` with its line breaks made CR LF. Throws Error
// with the open error when the file cannot be opened (nothing is streamed then) and with the
// read error when reading fails part-way (`streamIn` must then leave the text as it was).
void LoadDocument(Files& files, const std::string& path, const StreamInto& streamIn);

// Saves what `streamOut` hands over (for example EditArea::StreamOut) to `path`. Throws Error
// with the create error or the write error; in both cases the file on disk is as it was.
void SaveDocument(Files& files, const std::string& path, const Files::Producer& streamOut);

}  // namespace penlet
