#include "base/QvException.h"

#include <utility>

#include "base/Multibyte.h"
#include "base/NarrowString.h"
#include "platform/MessageBox.h"
#include "platform/SystemText.h"

namespace Error {

namespace {
constexpr unsigned kErrorBoxType = 0x50010;  // MB_OK | MB_ICONERROR | MB_SETFOREGROUND | MB_TOPMOST

// Text after the last backslash; only when there is none, after the last slash.
std::string FileNamePart(const std::string& path) {
  std::size_t cut = FindLastCharOf(path, "\\");
  if (cut == std::string::npos) cut = FindLastCharOf(path, "/");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}
}  // namespace

QvException::QvException(const char* sourcePath, const char* functionName, std::int32_t line)
    : m_source(FileNamePart(FromCText(sourcePath))),
      m_functionName(FromCText(functionName)),
      m_line(line) {}

void QvException::Save(ByteBuffer& buffer) const {
  AppendString(buffer, m_source);
  AppendString(buffer, m_functionName);
  AppendInt32(buffer, m_line);
}

void QvException::Load(ByteReader& reader) {
  reader.ReadString(m_source);
  reader.ReadString(m_functionName);
  reader.ReadInt32(m_line);
}

int QvException::Report() const {
  std::string message = TrimString(GetMessage());
  if (message.empty()) {
    message = FormatString("Unknown error occured\nFile: %s, Line: %d", m_source.c_str(),
                           static_cast<int>(m_line));
  }
  return platform::ShowMessageBox(message, "Error", kErrorBoxType);
}

QvExceptionText::QvExceptionText(const char* sourcePath, const char* functionName,
                                 std::int32_t line, std::string message)
    : QvException(sourcePath, functionName, line), m_message(std::move(message)) {}

void QvExceptionText::Save(ByteBuffer& buffer) const {
  QvException::Save(buffer);
  AppendString(buffer, m_message);
}

void QvExceptionText::Load(ByteReader& reader) {
  QvException::Load(reader);
  reader.ReadString(m_message);
}

QvExceptionCommon::QvExceptionCommon(const char* sourcePath, const char* functionName,
                                     std::int32_t line, std::uint32_t errorCode, std::string text)
    : QvException(sourcePath, functionName, line),
      m_errorCode(errorCode),
      m_text(std::move(text)) {}

std::string QvExceptionCommon::GetMessage() const {
  const std::string systemText =
      m_errorCode == 0 ? std::string() : TrimString(platform::GetSystemMessageText(m_errorCode));
  const unsigned code = m_errorCode;
  const std::string message =
      systemText.empty() ? FormatString("(%#x) %s", code, m_text.c_str())
                         : FormatString("%s (%#x)\n\n%s", systemText.c_str(), code, m_text.c_str());
  return TrimString(message);
}

void QvExceptionCommon::Save(ByteBuffer& buffer) const {
  QvException::Save(buffer);
  AppendInt32(buffer, static_cast<std::int32_t>(m_errorCode));
  AppendString(buffer, m_text);
}

void QvExceptionCommon::Load(ByteReader& reader) {
  QvException::Load(reader);
  reader.ReadUInt32(m_errorCode);
  reader.ReadString(m_text);
}

}  // namespace Error
