#pragma once

#include <cstdint>
#include <string>

namespace Traits {
// Narrow-character paths: bytes in the ANSI code page, backslash written as separator.
struct QvFsPathStrTraitA {
  using StringType = std::string;
  static constexpr char kSeparator = '\\';
};
}  // namespace Traits

// A file-system path as text. Both separators are recognised, only backslashes are written,
// and the stored text is never rewritten. Scans are multibyte-aware.
template <typename StrTrait>
class QvFsPathT : public StrTrait::StringType {
 public:
  using StringType = typename StrTrait::StringType;

  QvFsPathT() = default;
  QvFsPathT(const char* text) : StringType(text ? text : "") {}  // NOLINT: paths are values
  explicit QvFsPathT(StringType text) : StringType(std::move(text)) {}
  QvFsPathT(const QvFsPathT&) = default;
  QvFsPathT& operator=(const QvFsPathT&) = default;
  virtual ~QvFsPathT() = default;

  // Adds a separator unless the path is empty or already ends in one, then the component
  // (null counts as empty). Nothing is done about a component that starts with a separator.
  QvFsPathT& AppendComponent(const char* component);
  // True only for a folder that is there and can be listed.
  bool Exists() const;
  // Creates every missing folder below the root; folders made before a failure stay. A folder
  // that another process made first counts as made. On failure, *error (when given) is the
  // system's code of the creation that failed, 0 when none was tried.
  bool CreateDirectoryTree(std::uint32_t* error = nullptr) const;
  // Text after the last backslash, or only when there is none, after the last slash.
  QvFsPathT GetFileName() const;
  // The file name without its last extension.
  QvFsPathT GetFileNameNoExtension() const;
};

using QvFsPath = QvFsPathT<Traits::QvFsPathStrTraitA>;
extern template class QvFsPathT<Traits::QvFsPathStrTraitA>;
