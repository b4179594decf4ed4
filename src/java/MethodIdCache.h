#pragma once
// The method ids a Java class wrapper has looked up, kept by name and signature for the
// wrapper's lifetime, so that a list of result objects looks its constructor and setData up
// once instead of once per element. A JNI method id stays valid while its class is loaded,
// and the wrapper's global reference keeps the class loaded.
//
// A lookup that finds nothing is not kept: the next use looks again (and the caller raises
// again, with the virtual machine's exception from that lookup). Not synchronised: a wrapper
// belongs to the one thread and native call that created it.

#include <string>
#include <vector>

template <typename Id>
class CMethodIdCache {
 public:
  // The id kept for `name` and `signature`, else the result of lookup() (kept when not null).
  // Null texts are never kept: lookup() decides what they give.
  template <typename Lookup>
  Id Get(const char* name, const char* signature, Lookup&& lookup) {
    if (!name || !signature) return lookup();
    for (const Entry& entry : m_entries) {
      if (entry.name == name && entry.signature == signature) return entry.id;
    }
    Id id = lookup();
    if (id) m_entries.push_back(Entry{name, signature, id});
    return id;
  }

 private:
  struct Entry {
    std::string name;
    std::string signature;
    Id id;
  };
  std::vector<Entry> m_entries;  // a class wrapper uses two or three methods
};
