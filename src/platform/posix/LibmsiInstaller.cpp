#include "platform/posix/LibmsiInstaller.h"

#include <libmsi.h>

#include <utility>

#include "platform/posix/HostDrive.h"

namespace platform::host {

namespace {

constexpr std::int32_t kDispatchException =
    static_cast<std::int32_t>(0x80020009);  // DISP_E_EXCEPTION

// Owner of one GObject reference.
template <typename T>
class GObjectRef {
 public:
  explicit GObjectRef(T* object) : m_object(object) {}
  GObjectRef(const GObjectRef&) = delete;
  GObjectRef& operator=(const GObjectRef&) = delete;
  ~GObjectRef() {
    if (m_object) g_object_unref(m_object);
  }
  T* Get() const { return m_object; }

 private:
  T* m_object;
};

class GErrorOwner {
 public:
  GErrorOwner() = default;
  GErrorOwner(const GErrorOwner&) = delete;
  GErrorOwner& operator=(const GErrorOwner&) = delete;
  ~GErrorOwner() {
    if (m_error) g_error_free(m_error);
  }
  GError** Receive() { return &m_error; }
  bool IsSet() const { return m_error != nullptr; }

 private:
  GError* m_error = nullptr;
};

[[noreturn]] void Fail() { throw msi::ComError{kDispatchException}; }

}  // namespace

bool LibmsiInstaller::FetchFirstString(const std::string& path, const std::string& sql,
                                       std::string* value) {
  GErrorOwner openError;
  GObjectRef<LibmsiDatabase> database(libmsi_database_new(
      ToHostPath(path).c_str(), LIBMSI_DB_FLAGS_READONLY, nullptr, openError.Receive()));
  if (database.Get() == nullptr) Fail();

  GErrorOwner queryError;
  GObjectRef<LibmsiQuery> query(
      libmsi_query_new(database.Get(), sql.c_str(), queryError.Receive()));
  if (query.Get() == nullptr) Fail();

  GErrorOwner executeError;
  if (!libmsi_query_execute(query.Get(), nullptr, executeError.Receive())) Fail();

  GErrorOwner fetchError;
  GObjectRef<LibmsiRecord> record(libmsi_query_fetch(query.Get(), fetchError.Receive()));
  if (record.Get() == nullptr) {
    // libmsi ends the rows with no error set; anything else is a failure.
    if (fetchError.IsSet()) Fail();
    return false;
  }
  gchar* text = libmsi_record_get_string(record.Get(), 1);
  *value = text ? text : "";
  g_free(text);
  return true;
}

}  // namespace platform::host
