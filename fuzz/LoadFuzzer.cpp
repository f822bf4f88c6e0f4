// Feeds arbitrary bytes to both kinds' Load: nothing may be read or written out of bounds.
#include <cstddef>
#include <cstdint>

#include "base/QvException.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Error::QvExceptionText text("src", "F::G", 1, "message");
  ByteReader textReader(data, size);
  text.Load(textReader);
  if (textReader.Position() > size) __builtin_trap();

  Error::QvExceptionCommon common("src", "F::G", 1, 5, "text");
  ByteReader commonReader(data, size);
  common.Load(commonReader);
  if (commonReader.Position() > size) __builtin_trap();
  // What was loaded must survive a save and a load unchanged.
  ByteBuffer saved;
  common.Save(saved);
  Error::QvExceptionCommon again("", "", 0, 0, "");
  ByteReader againReader(saved.data(), saved.size());
  again.Load(againReader);
  if (again.ErrorCode() != common.ErrorCode() || again.Line() != common.Line()) __builtin_trap();
  return 0;
}
