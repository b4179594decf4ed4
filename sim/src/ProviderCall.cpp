#include "ProviderCall.h"

#include "Text.h"

namespace tovik::sim {

void RaiseErrorInfo(const Failure& failure, const IID& iid) {
  if (failure.description.empty()) {
    SetErrorInfo(0, nullptr);
    return;
  }
  ICreateErrorInfo* create = nullptr;
  if (FAILED(CreateErrorInfo(&create)) || create == nullptr) return;
  OleString description = Utf16FromUtf8(failure.description);
  OleString source = Utf16FromUtf8("TovikApiProviderLib");
  create->SetGUID(iid);
  create->SetSource(source.data());
  create->SetDescription(description.data());
  IErrorInfo* info = nullptr;
  if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info))) && info) {
    SetErrorInfo(0, info);
    info->Release();
  }
  create->Release();
}

}  // namespace tovik::sim
