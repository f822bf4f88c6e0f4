// The path text operations on arbitrary paths and components, in a single-byte and a
// double-byte code page: appending keeps the path and ends with the component, the file
// name is a tail of the path, and the name without extension is a head of the file name.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzInput.h"
#include "package/FsPath.h"

namespace {
bool StartsWith(const std::string& text, const std::string& head) {
  return text.compare(0, head.size(), head) == 0;
}
bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const FuzzCodePage codePage(input.Flags());
  const std::string text = input.Text();
  const std::string component = input.Text();

  QvFsPath path(text);
  path.AppendComponent(component.c_str());
  if (!StartsWith(path, text) || !EndsWith(path, component)) __builtin_trap();
  const std::size_t added = path.size() - text.size() - component.size();
  if (added > 1 || (added == 1 && (text.empty() || path[text.size()] != '\\'))) __builtin_trap();

  const QvFsPath original(text);
  const QvFsPath name = original.GetFileName();
  if (!EndsWith(original, name)) __builtin_trap();
  const QvFsPath stem = original.GetFileNameNoExtension();
  if (!StartsWith(name, stem) || stem.size() > name.size()) __builtin_trap();
  return 0;
}
