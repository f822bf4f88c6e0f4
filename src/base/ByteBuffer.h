#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Byte format of saved errors (integers little-endian):
//   narrow string: 0x01, length as int32, the bytes without terminator;
//   integer field: its size as int32 (always 4), then the 4 bytes of the value.
using ByteBuffer = std::vector<std::uint8_t>;

void AppendString(ByteBuffer& buffer, const std::string& value);
void AppendInt32(ByteBuffer& buffer, std::int32_t value);

// A read position over bytes that may be malformed or cut anywhere. Each read leaves the
// target unchanged unless the whole item is there, and never reads past the end.
class ByteReader {
 public:
  ByteReader(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

  void ReadString(std::string& field);
  void ReadInt32(std::int32_t& field);
  void ReadUInt32(std::uint32_t& field);
  std::size_t Position() const { return m_position; }

 private:
  std::size_t Remaining() const { return m_size - m_position; }
  std::int32_t TakeInt32();
  // Steps over count bytes, or to the end when fewer remain.
  void Skip(std::size_t count);

  const std::uint8_t* m_data;
  std::size_t m_size;
  std::size_t m_position = 0;
};
