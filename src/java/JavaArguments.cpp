#include "java/JavaArguments.h"

#include <cstring>

#include "java/CJavaEnvironment.h"

namespace {

// Steps over one field type at `p`; returns its first character, or 0 when the type is
// malformed.
char NextParameter(const char*& p) {
  const char kind = *p;
  while (*p == '[') ++p;
  if (*p == 'L') {
    while (*p && *p != ';') ++p;
    if (*p != ';') return 0;
  } else if (!*p || !std::strchr("ZBCSIJFD", *p)) {
    return 0;
  }
  ++p;
  return kind;
}

}  // namespace

std::vector<jvalue> BuildJValues(const char* context, const char* signature, CJArgs args) {
  std::vector<jvalue> values;
  values.reserve(args.size() + 1);  // never empty, so data() is a valid pointer
  const char* p = signature;
  if (!p || *p != '(') {
    CJavaEnvironment::ThrowJavaException("%s - invalid signature %s", context, signature ? signature : "");
  }
  ++p;
  auto arg = args.begin();
  while (*p != ')') {
    const char kind = NextParameter(p);
    if (kind == 0 || arg == args.end() || arg->IsReference() != (kind == 'L' || kind == '[') || kind == 'F' ||
        kind == 'D') {
      CJavaEnvironment::ThrowJavaException("%s - arguments do not match signature %s", context, signature);
    }
    jvalue value{};
    switch (kind) {
      case 'Z': value.z = arg->Number() != 0 ? JNI_TRUE : JNI_FALSE; break;
      case 'B': value.b = static_cast<jbyte>(arg->Number()); break;
      case 'C': value.c = static_cast<jchar>(arg->Number()); break;
      case 'S': value.s = static_cast<jshort>(arg->Number()); break;
      case 'I': value.i = static_cast<jint>(arg->Number()); break;
      case 'J': value.j = static_cast<jlong>(arg->Number()); break;
      default: value.l = arg->Reference(); break;
    }
    values.push_back(value);
    ++arg;
  }
  if (arg != args.end()) {
    CJavaEnvironment::ThrowJavaException("%s - arguments do not match signature %s", context, signature);
  }
  return values;
}
