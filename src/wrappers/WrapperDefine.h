#pragma once
// The definitions of the wrapper classes declared with TOVIK_WRAPPER_DECLARE
// (wrappers/WrapperDecl.h), made from the same tables on the templates of
// wrappers/WrapperPattern.h and wrappers/BulkRead.h. Only the rows of the Custom kinds
// are written by hand.
//
//   TOVIK_WRAPPER_DEFINE(CTovikClientSpaceIF, TOVIK_CLIENT_SPACE_OPS)
//
// A row of kind Number, for instance, becomes
//
//   ULONG CTovikClientSpaceIF::VolTotal() { return WrapperCall<ULONG>(this, &CTovikClientSpaceIF::CmdVolTotal); }
//   INT_PTR CTovikClientSpaceIF::CmdVolTotal(Args&) { return ReadNumber(this, &ITovikClientSpace::GetVolTotal); }

#include <type_traits>

#include "core/LogStream.h"
#include "wrappers/BulkRead.h"
#include "wrappers/WrapperPattern.h"

// ---- public operations (any thread) ---------------------------------------------------------------

#define TOVIK_WRAPPER_GET(C, Result, Name, Command) \
  Result C::Name() { return WrapperCall<Result>(this, &C::Command); }
#define TOVIK_WRAPPER_PUBLIC_Number(C, Result, Name, Command, ...) TOVIK_WRAPPER_GET(C, Result, Name, Command)
#define TOVIK_WRAPPER_PUBLIC_Bool(C, Result, Name, Command, ...) TOVIK_WRAPPER_GET(C, Result, Name, Command)
#define TOVIK_WRAPPER_PUBLIC_VariantTrue(C, Result, Name, Command, ...) TOVIK_WRAPPER_GET(C, Result, Name, Command)
#define TOVIK_WRAPPER_PUBLIC_Text(C, Result, Name, Command, ...) TOVIK_WRAPPER_GET(C, Result, Name, Command)
#define TOVIK_WRAPPER_PUBLIC_TextLogged(C, Result, Name, Command, ...) TOVIK_WRAPPER_GET(C, Result, Name, Command)
#define TOVIK_WRAPPER_PUBLIC_SubObject(C, Result, Name, Command, ...) TOVIK_WRAPPER_GET(C, Result, Name, Command)
#define TOVIK_WRAPPER_PUBLIC_Element(C, Result, Name, Command, ...) \
  Result C::Name(ULONG index) { return WrapperCall<Result>(this, &C::Command, index); }
#define TOVIK_WRAPPER_PUBLIC_Write(C, Result, Name, Command, ...) \
  void C::Name(ULONG value) { WrapperCall<void>(this, &C::Command, value); }
#define TOVIK_WRAPPER_PUBLIC_LoggedWrite(C, Result, Name, Command, ...)  \
  void C::Name(ULONG value) {                                            \
    CORE_LOG(#C "::" #Name) << "SET to " << value << LogEnd;             \
    WrapperCall<void>(this, &C::Command, value);                         \
  }
#define TOVIK_WRAPPER_PUBLIC_ReadItems(C, Result, Name, Command, Values, ...)                           \
  ULONG C::Name(ULONG first, ULONG count, std::span<const Values::Field> fields, std::vector<Values>& items) { \
    return PackReadItems(this, &C::Command, first, count, fields, items);                               \
  }
#define TOVIK_WRAPPER_PUBLIC_Custom(...)
#define TOVIK_WRAPPER_PUBLIC_CustomElement(...)
#define TOVIK_WRAPPER_PUBLIC_CustomWrite(...)

// ---- command members (command thread) --------------------------------------------------------------

#define TOVIK_WRAPPER_MEMBER(C, Provider) &WrapperInterface<C>::Provider
#define TOVIK_WRAPPER_COMMAND_Number(C, Result, Command, Provider, ...) \
  INT_PTR C::Command(Args&) { return ReadNumber(this, TOVIK_WRAPPER_MEMBER(C, Provider)); }
#define TOVIK_WRAPPER_COMMAND_Bool(C, Result, Command, Provider, ...) \
  INT_PTR C::Command(Args&) { return ReadBool(this, TOVIK_WRAPPER_MEMBER(C, Provider)); }
#define TOVIK_WRAPPER_COMMAND_VariantTrue(C, Result, Command, Provider, ...) \
  INT_PTR C::Command(Args&) { return ReadVariantTrue(this, TOVIK_WRAPPER_MEMBER(C, Provider)); }
#define TOVIK_WRAPPER_COMMAND_Text(C, Result, Command, Provider, ...) \
  INT_PTR C::Command(Args&) { return ReadText(this, TOVIK_WRAPPER_MEMBER(C, Provider)); }
#define TOVIK_WRAPPER_COMMAND_TextLogged(C, Result, Command, Provider, Message)                               \
  INT_PTR C::Command(Args&) {                                                                                 \
    return ReadText(this, TOVIK_WRAPPER_MEMBER(C, Provider), [] { CORE_LOG(#C "::" #Command) << Message << LogEnd; }); \
  }
#define TOVIK_WRAPPER_COMMAND_Element(C, Result, Command, Provider, ...) \
  INT_PTR C::Command(Args& args) {                                       \
    return ReadElement<std::remove_pointer_t<Result>>(this, args, TOVIK_WRAPPER_MEMBER(C, Provider)); \
  }
#define TOVIK_WRAPPER_COMMAND_SubObject(C, Result, Command, Provider, ...) \
  INT_PTR C::Command(Args&) { return ReadSubObject<std::remove_pointer_t<Result>>(this, TOVIK_WRAPPER_MEMBER(C, Provider)); }
#define TOVIK_WRAPPER_COMMAND_Write(C, Result, Command, Provider, ...) \
  INT_PTR C::Command(Args& args) { return WriteValue(this, args, TOVIK_WRAPPER_MEMBER(C, Provider)); }
#define TOVIK_WRAPPER_COMMAND_LoggedWrite(C, Result, Command, Provider, ...) \
  TOVIK_WRAPPER_COMMAND_Write(C, Result, Command, Provider)
#define TOVIK_WRAPPER_COMMAND_ReadItems(C, Result, Command, Provider, Values, ...)                             \
  INT_PTR C::Command(Args& args) {                                                                             \
    return ReadItemValues<Values::Wrapper>(this, args, TOVIK_WRAPPER_MEMBER(C, Provider), Values##Readers);      \
  }
#define TOVIK_WRAPPER_COMMAND_Custom(...)
#define TOVIK_WRAPPER_COMMAND_CustomElement(...)
#define TOVIK_WRAPPER_COMMAND_CustomWrite(...)

#define TOVIK_WRAPPER_DEFINE_OP(C, Kind, Result, Name, Command, Provider, ...)  \
  TOVIK_WRAPPER_PUBLIC_##Kind(C, Result, Name, Command, __VA_ARGS__)            \
  TOVIK_WRAPPER_COMMAND_##Kind(C, Result, Command, Provider, __VA_ARGS__)

// ---- classes -------------------------------------------------------------------------------------

// The lifecycle every wrapper shares: the destructor releases the interface on the command
// thread, AttachInterface registers one.
#define TOVIK_WRAPPER_LIFECYCLE(C)                                                               \
  C::~C() { WrapperCall<void>(this, &C::CmdDestroyObject); }                                     \
  void C::AttachInterface(C* wrapper, WrapperInterface<C>* itf) { AttachWrapperInterface(wrapper, itf); } \
  INT_PTR C::CmdDestroyObject(Args&) {                                                           \
    ReleaseWrapperInterface(this);                                                               \
    return 0;                                                                                    \
  }

// The operations of a table only (a class that writes its own lifecycle).
#define TOVIK_WRAPPER_DEFINE_OPS(C, TABLE) TABLE(TOVIK_WRAPPER_DEFINE_OP, C)

#define TOVIK_WRAPPER_DEFINE(C, TABLE) \
  TOVIK_WRAPPER_LIFECYCLE(C)           \
  TOVIK_WRAPPER_DEFINE_OPS(C, TABLE)

// ---- bulk readers ----------------------------------------------------------------------------------

// Values##Readers: the reader of each property of Values, in the order of Values::Field
// (ReadItemValues indexes it by the field). Made before the list's ReadItems row.
#define TOVIK_BULK_READER(V, Kind, Result, Name, Command, Provider, Field, member) \
  ReadInto<&WrapperInterface<V::Wrapper>::Provider, &V::member>,
#define TOVIK_BULK_READERS(Values, TABLE)                                                      \
  namespace {                                                                                   \
  constexpr PropertyReader<WrapperInterface<Values::Wrapper>, Values> Values##Readers[] = {    \
      TABLE(TOVIK_BULK_READER, Values)};                                                        \
  }
