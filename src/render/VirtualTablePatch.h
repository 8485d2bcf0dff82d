#ifndef BRENNICQT_VIRTUALTABLEPATCH_H
#define BRENNICQT_VIRTUALTABLEPATCH_H

#include <cstddef>
#include <cstdint>
#include <cstring>

// Replaces one virtual method of a class for every object of that class, by
// rewriting the entry in the class's virtual table (Itanium C++ ABI, as GCC
// and clang use on Linux).
//
// Only for what Coin offers no other way into: its groups call GLRender on
// their children directly, past the action's method table, so no action
// method reaches a camera in a GL render. The replacement is a plain function
// taking the object first, which is how the ABI passes `this`.
namespace VirtualTablePatch {

// The slot of a virtual member function in its class's virtual table, or -1
// when the member is not virtual. The ABI stores a pointer to a virtual member
// as 1 plus the slot's byte offset.
template <class Member> std::ptrdiff_t slotOf(Member member) {
  struct Representation {
    std::uintptr_t pointer;
    std::ptrdiff_t adjustment;
  } parts;
  static_assert(sizeof(parts) == sizeof(member), "not an Itanium pointer to member function");
  std::memcpy(&parts, &member, sizeof(parts));
  if ((parts.pointer & 1) == 0) return -1;
  return std::ptrdiff_t((parts.pointer - 1) / sizeof(void *));
}

// The virtual table of a polymorphic object.
inline void **tableOf(const void *object) { return *static_cast<void **const *>(object); }

// Writes `replacement` into `slot` of `table`, keeping the memory protection
// the table had. Answers the entry it replaced, or null when the table's
// memory could not be made writable (nothing is changed then).
void *replace(void **table, std::ptrdiff_t slot, void *replacement);

} // namespace VirtualTablePatch

#endif
