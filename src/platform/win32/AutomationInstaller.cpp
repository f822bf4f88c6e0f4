#include "platform/win32/AutomationInstaller.h"

#include <vector>

#include "platform/CodePage.h"

namespace platform::win32 {

namespace {

// {000C1090-0000-0000-C000-000000000046}: both the class and its dispatch interface.
constexpr GUID kInstallerId = {0x000C1090, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr DWORD kAllContexts = 23;  // CLSCTX_ALL: in-process, handler, local and remote server

constexpr DISPID kOpenDatabase = 4;  // Installer.OpenDatabase(path, mode)
constexpr DISPID kOpenView = 3;      // Database.OpenView(sql)
constexpr DISPID kExecute = 1;       // View.Execute()
constexpr DISPID kFetch = 2;         // View.Fetch()
constexpr DISPID kStringData = 1;    // Record.StringData(field), a property
constexpr LONG kOpenReadOnly = 0;    // msiOpenDatabaseModeReadOnly

void ThrowIfFailed(HRESULT result) {
  if (FAILED(result)) throw msi::ComError{static_cast<std::int32_t>(result)};
}

// Narrow text in the system's ANSI code page to a BSTR.
UniqueBstr ToBstr(const std::string& text) {
  const int length = static_cast<int>(text.size());
  if (length == 0) return UniqueBstr(SysAllocString(L""));
  const int wide = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
  if (wide <= 0) throw msi::ComError{static_cast<std::int32_t>(HRESULT_FROM_WIN32(GetLastError()))};
  UniqueBstr result(SysAllocStringLen(nullptr, static_cast<UINT>(wide)));
  if (!result.IsValid()) throw msi::ComError{static_cast<std::int32_t>(E_OUTOFMEMORY)};
  MultiByteToWideChar(CP_ACP, 0, text.data(), length, result.Get(), wide);
  return result;
}

// The arguments of one call, in their natural order; each VARIANT owns what it holds.
class Arguments {
 public:
  void AddText(const std::string& text) {
    VARIANT& slot = Add();
    slot.vt = VT_BSTR;
    slot.bstrVal = ToBstr(text).Release();
  }
  void AddInt32(LONG value) {
    VARIANT& slot = Add();
    slot.vt = VT_I4;
    slot.lVal = value;
  }
  // IDispatch::Invoke takes them last first.
  DISPPARAMS Params() {
    DISPPARAMS params{};
    params.cArgs = static_cast<UINT>(m_values.size());
    params.rgvarg = m_values.empty() ? nullptr : m_values.data();
    return params;
  }
  ~Arguments() {
    for (VARIANT& value : m_values) VariantClear(&value);
  }

 private:
  VARIANT& Add() {
    m_values.insert(m_values.begin(), VARIANT{});
    VariantInit(&m_values.front());
    return m_values.front();
  }
  std::vector<VARIANT> m_values;
};

void Invoke(IDispatch* object, DISPID member, WORD kind, Arguments& arguments,
            UniqueVariant& result) {
  DISPPARAMS params = arguments.Params();
  EXCEPINFO exception{};
  const HRESULT hr = object->Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, kind, &params,
                                    result.Get(), &exception, nullptr);
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrHelpFile);
  ThrowIfFailed(hr);
}

// A method that must give an object back.
ComPtr<IDispatch> InvokeForObject(IDispatch* object, DISPID member, Arguments& arguments) {
  UniqueVariant result;
  Invoke(object, member, DISPATCH_METHOD, arguments, result);
  if (result.Value().vt != VT_DISPATCH || result.Value().pdispVal == nullptr) {
    throw msi::ComError{static_cast<std::int32_t>(E_POINTER)};
  }
  ComPtr<IDispatch> answer;
  *answer.Receive() = result.Value().pdispVal;
  answer->AddRef();
  return answer;
}

}  // namespace

std::int32_t AutomationInstaller::Create(std::unique_ptr<msi::IInstallerObject>* object) {
  ComPtr<IUnknown> unknown;
  HRESULT hr = CoCreateInstance(kInstallerId, nullptr, kAllContexts, IID_IUnknown,
                                reinterpret_cast<void**>(unknown.Receive()));
  if (FAILED(hr)) return hr;
  hr = OleRun(unknown.Get());
  if (FAILED(hr)) return hr;
  ComPtr<IDispatch> dispatch;
  hr = unknown->QueryInterface(kInstallerId, reinterpret_cast<void**>(dispatch.Receive()));
  if (FAILED(hr)) return hr;
  *object = std::make_unique<AutomationInstaller>(std::move(dispatch));
  return S_OK;
}

bool AutomationInstaller::FetchFirstString(const std::string& path, const std::string& sql,
                                           std::string* value) {
  Arguments openArguments;
  openArguments.AddText(path);
  openArguments.AddInt32(kOpenReadOnly);
  ComPtr<IDispatch> database = InvokeForObject(m_installer.Get(), kOpenDatabase, openArguments);

  Arguments viewArguments;
  viewArguments.AddText(sql);
  ComPtr<IDispatch> view = InvokeForObject(database.Get(), kOpenView, viewArguments);

  Arguments none;
  UniqueVariant ignored;
  Invoke(view.Get(), kExecute, DISPATCH_METHOD, none, ignored);

  UniqueVariant record;
  Invoke(view.Get(), kFetch, DISPATCH_METHOD, none, record);
  // No row left: Fetch answers Nothing.
  if (record.Value().vt != VT_DISPATCH || record.Value().pdispVal == nullptr) return false;

  Arguments fieldArguments;
  fieldArguments.AddInt32(1);
  UniqueVariant text;
  Invoke(record.Value().pdispVal, kStringData, DISPATCH_PROPERTYGET, fieldArguments, text);
  if (text.Value().vt != VT_BSTR)
    throw msi::ComError{static_cast<std::int32_t>(DISP_E_TYPEMISMATCH)};
  // A null BSTR is the empty text.
  const auto* wide = reinterpret_cast<const char16_t*>(text.Value().bstrVal);
  *value = (wide == nullptr || *wide == u'\0') ? std::string() : WideToThreadCodePage(wide);
  return true;
}

}  // namespace platform::win32
