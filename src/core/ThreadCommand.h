#pragma once
// Commands for the command thread.
//
// A command binds a target object and one of its private Cmd... members
// (INT_PTR Cmd...(std::vector<INT_PTR>& args)) to a list of pointer-wide
// argument slots. The issuing thread builds the command on its own stack,
// hands it to CThreadManager::Submit and reads the result afterwards:
//
//   CThreadCommand<CTovikVciItemIF, INT_PTR (CTovikVciItemIF::*)(std::vector<INT_PTR>&)> command;
//   command.SetCommand(this, &CTovikVciItemIF::CmdItem);
//   command.AddArguments(1, static_cast<INT_PTR>(index));
//   CThreadManager::Submit(&command);
//   return reinterpret_cast<CTovikVciItemIF*>(command.GetResult());
//
// SubmitCommand() below does exactly these steps and converts each argument
// into its slot, which is what every public facade and wrapper operation uses.

#include <cstdarg>
#include <type_traits>
#include <vector>

#include "TovikExport.h"
#include "tovik/platform.h"

// Abstract command: the result slot and the one virtual operation.
class TOVIK_API CThreadCommandCore {
 public:
  CThreadCommandCore();
  CThreadCommandCore(const CThreadCommandCore& other);
  CThreadCommandCore& operator=(const CThreadCommandCore& other);

  virtual INT_PTR DoCommand() = 0;

  // Runs DoCommand and keeps its value as the result. When DoCommand raises,
  // the exception passes on and the result keeps its previous value.
  void Execute();
  INT_PTR GetResult() const;

 protected:
  // Not virtual: commands are never deleted through the base.
  ~CThreadCommandCore();

 private:
  INT_PTR m_result;
};

template <class T, class Fn = INT_PTR (T::*)(std::vector<INT_PTR>&)>
class CThreadCommand : public CThreadCommandCore {
 public:
  CThreadCommand() : m_function(nullptr), m_target(nullptr) {}
  CThreadCommand(const CThreadCommand&) = default;
  CThreadCommand& operator=(const CThreadCommand&) = default;
  virtual ~CThreadCommand() {
    m_function = nullptr;
    m_target = nullptr;
  }

  void SetCommand(T* target, Fn function) {
    m_target = target;
    m_function = function;
  }

  // Appends `count` further arguments in the order given. Each one must be
  // passed as an INT_PTR (cast pointers, 32-bit values and bools as 0/1
  // first); a count of 0 or less appends nothing.
  void AddArguments(int count, ...) {
    va_list list;
    va_start(list, count);
    for (int i = 0; i < count; ++i) m_arguments.push_back(va_arg(list, INT_PTR));
    va_end(list);
  }

  INT_PTR DoCommand() override {
    if (m_function == nullptr || m_target == nullptr) return 0;
    return (m_target->*m_function)(m_arguments);
  }

  const std::vector<INT_PTR>& Arguments() const { return m_arguments; }

 private:
  Fn m_function;
  T* m_target;
  std::vector<INT_PTR> m_arguments;
};

// One argument slot: pointers as their address, bools as 1 or 0, integers
// converted to INT_PTR (unsigned 32-bit values are zero-extended, signed
// ones sign-extended).
template <class A>
inline INT_PTR ToArgumentSlot(A value) {
  if constexpr (std::is_same_v<A, bool>) {
    return value ? 1 : 0;
  } else if constexpr (std::is_pointer_v<A>) {
    return reinterpret_cast<INT_PTR>(value);
  } else {
    static_assert(std::is_integral_v<A> || std::is_enum_v<A>, "argument slots carry integers and pointers");
    return static_cast<INT_PTR>(value);
  }
}
inline INT_PTR ToArgumentSlot(std::nullptr_t) { return 0; }
