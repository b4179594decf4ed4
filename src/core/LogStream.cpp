#include "core/LogStream.h"

#include <charconv>
#include <cstdio>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "tovik/platform.h"
#include "tovik/threadlocal.h"

namespace {

// The line a thread is composing in one stream.
struct LineState {
  std::string text;
  bool hex = false;  // LogHex ran in this line
  int width = 0;     // field width of the next insertion (LogHex sets 2, filled with '0')

  void Reset() {
    text.clear();
    hex = false;
    width = 0;
  }
};

// Set once the calling thread's lines are destroyed (thread end, or the main thread during
// static destruction); later insertions on that thread use the stream's shared line.
thread_local bool t_linesGone = false;

// The lines a thread is composing, one per stream (tovik::ThreadLocal: destroyed as the
// thread ends, also where thread_local objects with a destructor are not safe).
struct ThreadLines {
  std::vector<std::pair<const CLogStream*, LineState>> lines;
  ~ThreadLines() { t_linesGone = true; }

  LineState& For(const CLogStream* stream) {
    for (auto& entry : lines) {
      if (entry.first == stream) return entry.second;
    }
    lines.emplace_back(stream, LineState{});
    return lines.back().second;
  }
};

template <typename T>
std::string FormatInteger(T value, bool hex) {
  char digits[32];
  std::to_chars_result end;
  if (hex) {
    // As the standard streams do: a negative number shows its two's complement.
    end = std::to_chars(digits, digits + sizeof digits, static_cast<std::make_unsigned_t<T>>(value), 16);
  } else {
    end = std::to_chars(digits, digits + sizeof digits, value, 10);
  }
  return std::string(digits, end.ptr);
}

}  // namespace

struct CLogStream::State {
  CCriticalSection lock;
  LogSinkFn sink = nullptr;
  LineState sharedLine;  // used by threads whose own lines are gone
};

namespace {

// Runs `action` on the calling thread's line of `stream`; during thread or process teardown
// on the stream's shared line, under the stream's lock.
template <typename Action>
void WithLine(const CLogStream* stream, CCriticalSection& lock, LineState& sharedLine, Action&& action) {
  if (!t_linesGone) {
    action(tovik::ThreadLocal<ThreadLines>().For(stream));
    return;
  }
  CSingleLock hold(&lock, TRUE);
  action(sharedLine);
}

void Append(LineState& line, std::string_view piece) {
  if (line.width > static_cast<int>(piece.size())) line.text.append(line.width - piece.size(), '0');
  line.width = 0;
  line.text.append(piece);
}

}  // namespace

CLogStream::CLogStream() : m_state(new State) {}

CLogStream::~CLogStream() { delete m_state; }

void CLogStream::SetSink(LogSinkFn sink) {
  CSingleLock hold(&m_state->lock, TRUE);
  m_state->sink = sink;
}

CLogStream& CLogStream::Begin(const char* function, int line) {
  WithLine(this, m_state->lock, m_state->sharedLine, [&](LineState& state) {
    state.Reset();
    if (function) state.text = function;
    state.text += ':';
    state.text += FormatInteger(line, false);
    state.text += ": ";
  });
  return *this;
}

CLogStream& CLogStream::operator<<(const char* text) {
  if (!text) return *this;
  WithLine(this, m_state->lock, m_state->sharedLine, [&](LineState& state) { Append(state, text); });
  return *this;
}

#define TOVIK_LOG_INSERT_INTEGER(Type)                                                              \
  CLogStream& CLogStream::operator<<(Type value) {                                                  \
    WithLine(this, m_state->lock, m_state->sharedLine,                                              \
             [&](LineState& state) { Append(state, FormatInteger(value, state.hex)); });           \
    return *this;                                                                                   \
  }

TOVIK_LOG_INSERT_INTEGER(int)
TOVIK_LOG_INSERT_INTEGER(unsigned int)
TOVIK_LOG_INSERT_INTEGER(long)
TOVIK_LOG_INSERT_INTEGER(unsigned long)
TOVIK_LOG_INSERT_INTEGER(long long)
TOVIK_LOG_INSERT_INTEGER(unsigned long long)
TOVIK_LOG_INSERT_INTEGER(short)
TOVIK_LOG_INSERT_INTEGER(unsigned short)

#undef TOVIK_LOG_INSERT_INTEGER

CLogStream& CLogStream::operator<<(const void* pointer) {
  char digits[2 * sizeof(void*) + 1];
  std::snprintf(digits, sizeof digits, "%0*llX", static_cast<int>(2 * sizeof(void*)),
                static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(pointer)));
  WithLine(this, m_state->lock, m_state->sharedLine, [&](LineState& state) { Append(state, digits); });
  return *this;
}

CLogStream& CLogStream::operator<<(LogHexManip) {
  WithLine(this, m_state->lock, m_state->sharedLine, [](LineState& state) {
    state.hex = true;
    state.width = 2;
  });
  return *this;
}

CLogStream& CLogStream::operator<<(LogEndManip) {
  // The finished line leaves the thread's state before the sink runs, so that the sink may
  // log again on this thread.
  std::string line;
  WithLine(this, m_state->lock, m_state->sharedLine, [&](LineState& state) {
    line = std::move(state.text);
    state.Reset();
  });
  CSingleLock hold(&m_state->lock, TRUE);
  if (m_state->sink) m_state->sink(line.c_str());
  return *this;
}

// Never destroyed: the registries and threads may still log while the module unloads.
CLogStream& NativeLog() {
  static CLogStream* stream = new CLogStream;
  return *stream;
}

CLogStream& CoreLog() {
  static CLogStream* stream = new CLogStream;
  return *stream;
}
