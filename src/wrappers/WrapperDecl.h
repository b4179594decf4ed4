#pragma once
// Declaration stamps for the result wrapper classes. Definitions are written
// out per class in wrappers/*.cpp on the templates of wrappers/WrapperPattern.h.

#include <vector>

#include "TovikExport.h"
#include "core/Registries.h"
#include "core/ThreadCommand.h"

// What every wrapper class has: its command type, a constructor that does
// nothing, a destructor that runs CmdDestroyObject, a copy assignment that
// copies nothing, AttachInterface and CmdDestroyObject.
#define TOVIK_WRAPPER_CLASS(Cls, Itf)                                                  \
 public:                                                                               \
  typedef CThreadCommand<Cls, INT_PTR (Cls::*)(std::vector<INT_PTR>&)> CommandType;    \
  Cls() {}                                                                             \
  ~Cls();                                                                              \
  Cls& operator=(const Cls&) { return *this; }                                         \
  static void AttachInterface(Cls* wrapper, TovikApiProviderLib::Itf* itf);            \
                                                                                       \
 private:                                                                              \
  typedef std::vector<INT_PTR> Args;                                                   \
  INT_PTR CmdDestroyObject(Args& args);

// A public operation and its private command member Cmd<Name>.
#define TOVIK_WRAPPER_OP(Result, Name, Params) TOVIK_WRAPPER_OP_CMD(Result, Name, Params, Cmd##Name)

// A public operation whose command member is not named Cmd<Name>.
#define TOVIK_WRAPPER_OP_CMD(Result, Name, Params, Command) \
 public:                                                    \
  Result Name Params;                                       \
                                                            \
 private:                                                   \
  INT_PTR Command(Args& args);
