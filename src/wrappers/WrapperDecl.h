#pragma once
// The result wrapper classes are declared from one table per provider interface: a row per
// operation, from which the class's public operation, its private command member and (in
// wrappers/WrapperDefine.h) both definitions are made. A new property is one row.
//
//   #define TOVIK_CLIENT_SPACE_OPS(X, C)
//     X(C, Number, ULONG, VolRemaining, CmdVolRemaining, GetVolRemaining)
//     X(C, Number, ULONG, VolTotal, CmdVolTotal, GetVolTotal)
//   TOVIK_WRAPPER_DECLARE(CTovikClientSpaceIF, ITovikClientSpace, TOVIK_CLIENT_SPACE_OPS)
//
// A row: X(C, Kind, Result, Name, Command, ProviderMember, extras...). C is what the generator
// passes through (the class). The exported names are the table's: Name for the operation,
// Command for its command member (written out, since a few differ from Cmd<Name>).
//
//   Number       numeric getter, the value as the provider gives it (ULONG or LONG)
//   Bool         getter, true for any non-zero VARIANT_BOOL
//   VariantTrue  getter, true only for VARIANT_TRUE
//   Text         string getter, a LocalAlloc'ed ANSI copy or null for an empty text
//   TextLogged   as Text; an empty text also logs the message given as extra
//   Element      element at an index, as a new wrapper (Result)
//   SubObject    sub-object, as a new wrapper (Result)
//   Write        setter of a ULONG property
//   LoggedWrite  as Write, logging "SET to <value>" on the calling thread first
//   ReadItems    bulk read of a list's entries (wrappers/BulkValues.h); extra: the values struct
//   Custom, CustomElement, CustomWrite
//                declared like a getter / element / setter, both members written by hand
//
// The element tables of the lists read in bulk carry two extras per row, the field's name and
// the member of the values struct; TOVIK_BULK_VALUES makes the field enum and the values
// struct from them, in the table's order.

#include <span>
#include <vector>

#include "TovikExport.h"
#include "core/Registries.h"
#include "core/ThreadCommand.h"
#include "wrappers/BulkValues.h"

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

// The parameter list of an operation of each kind (the extras pass through).
#define TOVIK_WRAPPER_PARAMS_Number(...)
#define TOVIK_WRAPPER_PARAMS_Bool(...)
#define TOVIK_WRAPPER_PARAMS_VariantTrue(...)
#define TOVIK_WRAPPER_PARAMS_Text(...)
#define TOVIK_WRAPPER_PARAMS_TextLogged(...)
#define TOVIK_WRAPPER_PARAMS_SubObject(...)
#define TOVIK_WRAPPER_PARAMS_Custom(...)
#define TOVIK_WRAPPER_PARAMS_Element(...) ULONG index
#define TOVIK_WRAPPER_PARAMS_CustomElement(...) ULONG index
#define TOVIK_WRAPPER_PARAMS_Write(...) ULONG value
#define TOVIK_WRAPPER_PARAMS_LoggedWrite(...) ULONG value
#define TOVIK_WRAPPER_PARAMS_CustomWrite(...) ULONG value
#define TOVIK_WRAPPER_PARAMS_ReadItems(Values, ...) \
  ULONG first, ULONG count, std::span<const Values::Field> fields, std::vector<Values>& items
#define TOVIK_WRAPPER_PARAMS(Kind, ...) TOVIK_WRAPPER_PARAMS_##Kind(__VA_ARGS__)

// One row inside the class: the public operation and its private command member.
#define TOVIK_WRAPPER_DECLARE_OP(C, Kind, Result, Name, Command, Provider, ...) \
 public:                                                                         \
  Result Name(TOVIK_WRAPPER_PARAMS(Kind, __VA_ARGS__));                          \
                                                                                 \
 private:                                                                        \
  INT_PTR Command(Args& args);

// The class of a table.
#define TOVIK_WRAPPER_DECLARE(Cls, Itf, TABLE) \
  class TOVIK_API Cls {                        \
    TOVIK_WRAPPER_CLASS(Cls, Itf)              \
    TABLE(TOVIK_WRAPPER_DECLARE_OP, Cls)       \
  };

// ---- values of a list read in bulk -------------------------------------------------------------

#define TOVIK_BULK_MEMBER_TYPE_Number(Result) Result
#define TOVIK_BULK_MEMBER_TYPE_Bool(Result) bool
#define TOVIK_BULK_MEMBER_TYPE_Text(Result) BulkText

#define TOVIK_BULK_FIELD(C, Kind, Result, Name, Command, Provider, Field, member) Field,
#define TOVIK_BULK_MEMBER(C, Kind, Result, Name, Command, Provider, Field, member) \
  TOVIK_BULK_MEMBER_TYPE_##Kind(Result) member{};

// Prefix##Field (the properties, in the table's order) and Prefix##Values (one entry: its
// position in the provider's list and one member per property) of the element wrapper Cls.
#define TOVIK_BULK_VALUES(Prefix, Cls, TABLE)        \
  class Cls;                                         \
  enum class Prefix##Field { TABLE(TOVIK_BULK_FIELD, Cls) }; \
  struct Prefix##Values {                            \
    using Field = Prefix##Field;                     \
    using Wrapper = Cls;                             \
    ULONG index = 0; /* position in the provider's list */ \
    TABLE(TOVIK_BULK_MEMBER, Cls)                    \
  };
