#include "base/ByteBuffer.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr std::uint8_t kStringMarker = 0x01;
constexpr std::int32_t kIntegerSize = 4;

// Little-endian, whatever the host's byte order.
void AppendInt32Raw(ByteBuffer& buffer, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8) {
    buffer.push_back(static_cast<std::uint8_t>(bits >> shift));
  }
}
}  // namespace

void AppendString(ByteBuffer& buffer, const std::string& value) {
  buffer.push_back(kStringMarker);
  AppendInt32Raw(buffer, static_cast<std::int32_t>(value.size()));
  buffer.insert(buffer.end(), value.begin(), value.end());
}

void AppendInt32(ByteBuffer& buffer, std::int32_t value) {
  AppendInt32Raw(buffer, kIntegerSize);
  AppendInt32Raw(buffer, value);
}

std::int32_t ByteReader::TakeInt32() {
  std::uint32_t bits = 0;
  for (int i = 0; i < 4; ++i) bits |= static_cast<std::uint32_t>(m_data[m_position + i]) << (8 * i);
  m_position += 4;
  return static_cast<std::int32_t>(bits);
}

void ByteReader::Skip(std::size_t count) { m_position += std::min(count, Remaining()); }

void ByteReader::ReadString(std::string& field) {
  if (Remaining() == 0) return;
  if (m_data[m_position++] != kStringMarker) return;
  if (Remaining() < 4) return;
  const std::int32_t length = TakeInt32();
  if (length <= 0) return;
  const auto wanted = static_cast<std::size_t>(length);
  if (wanted > Remaining()) {
    // The stated length runs past the data: take nothing, and read nothing more from it.
    Skip(Remaining());
    return;
  }
  const char* bytes = reinterpret_cast<const char*>(m_data + m_position);
  field.assign(bytes, strnlen(bytes, wanted));
  m_position += wanted;
}

void ByteReader::ReadInt32(std::int32_t& field) {
  if (Remaining() < 4) return;
  const std::int32_t size = TakeInt32();
  if (size <= 0) return;
  if (size != kIntegerSize) {
    // Not a field of ours: step over it whole, the 4-byte field stays as it was.
    Skip(static_cast<std::size_t>(size));
    return;
  }
  if (Remaining() < 4) return;
  field = TakeInt32();
}

void ByteReader::ReadUInt32(std::uint32_t& field) {
  auto value = static_cast<std::int32_t>(field);
  ReadInt32(value);
  field = static_cast<std::uint32_t>(value);
}
