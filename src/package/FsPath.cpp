#include "package/FsPath.h"

#include "base/Multibyte.h"
#include "package/TokenList.h"
#include "platform/FileSystem.h"

namespace {
bool IsSeparator(char c) { return c == '\\' || c == '/'; }
}  // namespace

template <typename StrTrait>
QvFsPathT<StrTrait>& QvFsPathT<StrTrait>::AppendComponent(const char* component) {
  // Only the last byte is compared, so a path that ends in a double-byte character whose
  // trail byte is 0x5C gets no separator.
  if (!this->empty() && !IsSeparator(this->back())) this->push_back(StrTrait::kSeparator);
  if (component) this->append(component);
  return *this;
}

template <typename StrTrait>
bool QvFsPathT<StrTrait>::Exists() const {
  QvFsPathT pattern(*this);
  pattern.AppendComponent("*.*");
  return platform::FindFirstEntry(pattern);
}

template <typename StrTrait>
bool QvFsPathT<StrTrait>::CreateDirectoryTree(std::uint32_t* error) const {
  if (error) *error = 0;
  const QvTokenList components(*this, "\\/", false);
  const auto& tokens = components.Tokens();
  if (tokens.size() < 2) return Exists();

  const bool unc = this->size() >= 2 && IsSeparator((*this)[0]) && IsSeparator((*this)[1]);
  const bool rootedOnCurrentDrive = !unc && !this->empty() && IsSeparator((*this)[0]);
  std::size_t next = 0;
  QvFsPathT built;
  if (rootedOnCurrentDrive) {
    // \a\b: the root is the current drive's, so every component is a folder to make.
    built = QvFsPathT("\\");
  } else {
    // The first component is the root (C: or the server of \\server\share) and is neither
    // tested nor created.
    built = QvFsPathT(unc ? "\\\\" : "");
    built.AppendComponent(tokens[0].c_str());
    next = 1;
  }
  for (; next < tokens.size(); ++next) {
    built.AppendComponent(tokens[next].c_str());
    if (built.Exists()) continue;
    const platform::ErrorCode made = platform::MakeDirectory(built);
    // Another process may make the same folder between the test and the creation; a file of
    // that name also answers "already exists", so the folder is tested again.
    if (made == 0 || (made == platform::kErrorAlreadyExists && built.Exists())) continue;
    if (error) *error = made;
    return false;
  }
  return true;
}

template <typename StrTrait>
QvFsPathT<StrTrait> QvFsPathT<StrTrait>::GetFileName() const {
  if (this->empty()) return QvFsPathT();
  std::size_t cut = FindLastCharOf(*this, "\\");
  if (cut == StringType::npos) cut = FindLastCharOf(*this, "/");
  return cut == StringType::npos ? QvFsPathT(*this) : QvFsPathT(this->substr(cut + 1));
}

template <typename StrTrait>
QvFsPathT<StrTrait> QvFsPathT<StrTrait>::GetFileNameNoExtension() const {
  QvFsPathT name = GetFileName();
  const std::size_t dot = FindLastCharOf(name, ".");
  if (dot != StringType::npos) name.resize(dot);
  return name;
}

template class QvFsPathT<Traits::QvFsPathStrTraitA>;
