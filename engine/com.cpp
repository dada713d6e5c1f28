#include "engine/com.h"

#include <vector>

#include "engine/gbk.h"

namespace brindel::com {

// Converted straight into the BSTR: no intermediate wide copy. On these machines the first
// touch of fresh memory is what a large text costs most (a megabyte-sized block is fresh
// pages on every call), so one buffer of the exact size is filled once.
Bstr Bstr::fromGbk(const Text& text) {
  Bstr result;
  if (text.empty()) {
    result.b_ = SysAllocStringLen(L"", 0);
    return result;
  }
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(kGbkCodePage, 0, text.data(), size, nullptr, 0);
  result.b_ = SysAllocStringLen(nullptr, static_cast<UINT>(length));
  if (result.b_ != nullptr) {
    MultiByteToWideChar(kGbkCodePage, 0, text.data(), size, result.b_, length);
  }
  return result;
}

Text Bstr::toGbk() const {
  if (b_ == nullptr) return {};
  return narrowGbk(b_, static_cast<int>(SysStringLen(b_)));
}

Variant Variant::boolean(bool value) {
  Variant v;
  v.v_ = byValBool(value);
  return v;
}

Variant Variant::int32(std::int32_t value) {
  Variant v;
  v.v_ = byVal(value);
  return v;
}

Variant Variant::text(const Text& value) {
  Variant v;
  v.v_.vt = VT_BSTR;
  v.v_.bstrVal = Bstr::fromGbk(value).release();
  return v;
}

Text Variant::toGbk() const {
  if (v_.vt == VT_BSTR) {
    return v_.bstrVal ? narrowGbk(v_.bstrVal, static_cast<int>(SysStringLen(v_.bstrVal))) : Text();
  }
  if (v_.vt == VT_EMPTY || v_.vt == VT_NULL) return {};
  VARIANT converted;
  VariantInit(&converted);
  Text result;
  if (SUCCEEDED(VariantChangeType(&converted, const_cast<VARIANT*>(&v_), 0, VT_BSTR)) &&
      converted.bstrVal != nullptr) {
    result = narrowGbk(converted.bstrVal, static_cast<int>(SysStringLen(converted.bstrVal)));
  }
  VariantClear(&converted);
  return result;
}

std::int32_t Variant::toInt32() const {
  if (v_.vt == VT_I4) return v_.lVal;
  VARIANT converted;
  VariantInit(&converted);
  std::int32_t result = 0;
  if (SUCCEEDED(VariantChangeType(&converted, const_cast<VARIANT*>(&v_), 0, VT_I4))) {
    result = converted.lVal;
  }
  VariantClear(&converted);
  return result;
}

ComPtr<IDispatch> Variant::toDispatch() const {
  if (v_.vt == VT_DISPATCH) return ComPtr<IDispatch>(v_.pdispVal);
  if (v_.vt == VT_UNKNOWN && v_.punkVal != nullptr) {
    ComPtr<IDispatch> result;
    v_.punkVal->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(result.put()));
    return result;
  }
  return {};
}

DISPID lookUp(IDispatch* object, DispId& name) {
  if (!name.looked && object != nullptr) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name.name)};
    DISPID id = DISPID_UNKNOWN;
    if (SUCCEEDED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) {
      name.id = id;
      name.looked = true;
    }
  }
  return name.id;
}

HRESULT invoke(IDispatch* object, DispId& name, WORD flags, std::initializer_list<VARIANT> args,
               VARIANT* result) {
  if (object == nullptr) return E_POINTER;
  const DISPID id = lookUp(object, name);
  if (id == DISPID_UNKNOWN) return DISP_E_UNKNOWNNAME;
  VARIANT reversed[4];
  const std::size_t count = args.size() < 4 ? args.size() : 4;
  std::size_t i = count;
  for (const VARIANT& arg : args) {
    if (i == 0) break;
    reversed[--i] = arg;
  }
  DISPPARAMS params{};
  params.rgvarg = count ? reversed : nullptr;
  params.cArgs = static_cast<UINT>(count);
  DISPID named = DISPID_PROPERTYPUT;
  if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
    params.rgdispidNamedArgs = &named;
    params.cNamedArgs = 1;
  }
  if (result) VariantClear(result);
  return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, nullptr,
                        nullptr);
}

HRESULT getProperty(IDispatch* object, DispId& name, VARIANT* result,
                    std::initializer_list<VARIANT> args) {
  return invoke(object, name, DISPATCH_PROPERTYGET | DISPATCH_METHOD, args, result);
}

HRESULT putProperty(IDispatch* object, DispId& name, const VARIANT& value) {
  return invoke(object, name, DISPATCH_PROPERTYPUT, {value}, nullptr);
}

HRESULT callMethod(IDispatch* object, DispId& name, std::initializer_list<VARIANT> args,
                   VARIANT* result) {
  return invoke(object, name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, args, result);
}

ComPtr<IDispatch> createObject(const wchar_t* progId) {
  CLSID clsid;
  ComPtr<IDispatch> object;
  if (FAILED(CLSIDFromProgID(progId, &clsid))) return object;
  CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IDispatch,
                   reinterpret_cast<void**>(object.put()));
  return object;
}

}  // namespace brindel::com
