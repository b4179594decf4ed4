#pragma once
// Values of a provider list read in bulk.
//
// Reading a list one property at a time costs a command per property (one
// round trip to the command thread each). The list wrappers therefore also
// offer ReadItems: one command reads a range of entries, and of each present
// entry the properties the caller names, in the order named, straight from
// the provider's element interfaces (no element wrapper is made). Each entry
// becomes one values struct of the element's kind (VciItemValues,
// AppPcItemValues, ...): its position in the provider's list and one member
// per property. A property the caller did not name keeps its default (0,
// false, no text).
//
// Every read inside the command is guarded on its own: a provider error is
// logged by the command thread's own "com error: 0x..." line and leaves the
// property at its default (an entry whose element cannot be fetched is
// skipped, like a missing one), so a bulk read sees exactly the values that
// the one-by-one getters would.
//
//   std::vector<VciItemValues> modules;
//   constexpr VciItemField kFields[] = {VciItemField::ModuleName, VciItemField::SerialNumber};
//   list->ReadItems(0, list->Count(), kFields, modules);

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/CommandBatch.h"
#include "tovik/platform.h"

// A text as the string getters hand it out: the bytes in the ANSI code page,
// or nothing where the getter yields null (an empty text).
using BulkText = std::optional<std::string>;

// The ANSI bytes of a text, or nullptr where the string getter yields null.
inline const char* BulkTextBytes(const BulkText& text) { return text ? text->c_str() : nullptr; }

// Entries one ReadItems command reads in ReadList: enough to make the
// hand-over negligible, few enough that a long list neither holds the command
// thread for long at a time nor piles up values.
inline constexpr ULONG kBulkChunk = 256;

// What ReadList does with the list wrapper after the last entries: leave it
// to the caller, or delete it within the command that read them, which saves
// the deletion a round trip of its own. Delete suits callers that do nothing
// more with the list and log nothing between the last entries and its end.
enum class ListEnd { Keep, Delete };

// Whether the caller's visits log lines. Silent visits run while the command
// thread already reads the next chunk. Visits that log take turns with the
// reads instead, so that their lines keep their place among the lines the
// command thread logs for failed reads.
enum class Visits { Silent, Logged };

// Reads entries 0 .. count-1 of a list wrapper with ReadItems, kBulkChunk
// entries a command, and calls visit(values) for each present entry in list
// order; returns the count. Without a known count the first command reads
// Count() first; onCount(count) is then called once, before any entry is
// visited (with 0 when there is no list or no command thread). V is the
// values struct of the list's entries.
//
// While Silent visits run over one chunk's entries the command thread
// already reads the next chunk, so the two threads work side by side instead
// of taking turns. The provider calls stay the same and in the same order; a
// visit that ends the read by an exception lets the chunk under way finish
// first.
template <class V, class List, class OnCount, class Visit>
ULONG ReadList(std::unique_ptr<List>& list, std::optional<ULONG> knownCount, ListEnd end, Visits visits,
               std::span<const typename V::Field> fields, OnCount&& onCount, Visit&& visit) {
  ULONG count = knownCount.value_or(0);
  const bool counted = knownCount.has_value();
  ULONG first = 0;
  // A list known to be empty needs a command only to end it.
  bool more = list != nullptr && (!counted || count > 0 || end == ListEnd::Delete);
  // Reads the next chunk into `into` (on the command thread).
  const auto readChunk = [&](std::vector<V>& into) {
    into.clear();
    const ULONG chunk = count - first < kBulkChunk ? count - first : kBulkChunk;
    if (chunk > 0) list->ReadItems(first, chunk, fields, into);
    first += chunk;
    more = first < count;
    if (!more && end == ListEnd::Delete) list.reset();
  };
  std::vector<V> values;
  std::vector<V> next;
  bool ran = more && RunAsOneCommand([&] {
    if (!counted) count = list->Count();
    readChunk(values);
  });
  if (!counted) onCount(count);
  while (ran) {
    const auto readNext = [&] { readChunk(next); };
    std::optional<RunAhead<decltype(readNext)>> ahead;
    if (more && visits == Visits::Silent) ahead.emplace(readNext);
    for (V& entry : values) visit(entry);
    if (ahead) {
      ran = ahead->Wait();
    } else {
      ran = more && RunAsOneCommand(readNext);
    }
    values.swap(next);
  }
  return count;
}
