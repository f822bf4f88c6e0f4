#pragma once

#include <cstdint>
#include <string>

#include "base/ByteBuffer.h"

namespace Error {

// Root of the errors the system detects itself. Raised by value, caught by reference once,
// at start-up, and shown there with Report.
class QvException {
 public:
  virtual ~QvException() = default;

  virtual int KindCode() const = 0;
  // Text for the user; never raises an error of this family.
  virtual std::string GetMessage() const = 0;
  // A new heap object of the same kind with equal fields; the caller owns it.
  virtual QvException* Clone() const = 0;
  virtual void Save(ByteBuffer& buffer) const;
  virtual void Load(ByteReader& reader);

  // Shows the message in the "Error" box and returns the box's result.
  int Report() const;

  const std::string& Source() const { return m_source; }
  const std::string& FunctionName() const { return m_functionName; }
  std::int32_t Line() const { return m_line; }

 protected:
  // sourcePath: the raising file's path; only its file-name part is kept. Null counts as empty.
  QvException(const char* sourcePath, const char* functionName, std::int32_t line);

 private:
  std::string m_source;
  std::string m_functionName;
  std::int32_t m_line;
};

// An error with a ready message.
class QvExceptionText : public QvException {
 public:
  static constexpr int kKindCode = 4;

  QvExceptionText(const char* sourcePath, const char* functionName, std::int32_t line,
                  std::string message);

  int KindCode() const override { return kKindCode; }
  std::string GetMessage() const override { return m_message; }
  QvException* Clone() const override { return new QvExceptionText(*this); }
  void Save(ByteBuffer& buffer) const override;
  void Load(ByteReader& reader) override;

 private:
  std::string m_message;
};

// An error carrying a Windows error code or HRESULT; its message adds the system's text.
class QvExceptionCommon : public QvException {
 public:
  static constexpr int kKindCode = 2;

  QvExceptionCommon(const char* sourcePath, const char* functionName, std::int32_t line,
                    std::uint32_t errorCode, std::string text);

  int KindCode() const override { return kKindCode; }
  std::string GetMessage() const override;
  QvException* Clone() const override { return new QvExceptionCommon(*this); }
  void Save(ByteBuffer& buffer) const override;
  void Load(ByteReader& reader) override;

  std::uint32_t ErrorCode() const { return m_errorCode; }

 private:
  std::uint32_t m_errorCode;
  std::string m_text;
};

}  // namespace Error
