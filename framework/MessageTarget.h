// Objects that receive window messages through a constant per-class table of rows
// instead of a switch.
#pragma once

#include <windows.h>

#include <cstdint>

constexpr int32_t NotHandled = -1;  // lets the platform's default processing run

class MessageTarget;

// Calls one member of the target with the message parameters its row asks for.
using MessageThunk = int32_t (*)(MessageTarget& target, WPARAM first, LPARAM second);

// The handler's thunk says which message parameters the member takes.
struct MessageMapEntry {
  uint32_t Message;
  uint32_t Id;           // 0: any; else the low word of the first parameter must match
  uint32_t IdLast;       // 0: Id exactly; else the last id of the range Id..IdLast
  MessageThunk Handler;  // none ends the map
};

class MessageTarget {
 public:
  virtual ~MessageTarget() = default;
  virtual const MessageMapEntry* GetMessageMap() const { return nullptr; }
};

// The thunks that bind a row to a member of class T, one for each set of parameters.
template <class T, int32_t (T::*Member)()>
int32_t CallWithNothing(MessageTarget& target, WPARAM, LPARAM) {
  return (static_cast<T&>(target).*Member)();
}
template <class T, int32_t (T::*Member)(WPARAM)>
int32_t CallWithFirst(MessageTarget& target, WPARAM first, LPARAM) {
  return (static_cast<T&>(target).*Member)(first);
}
template <class T, int32_t (T::*Member)(LPARAM)>
int32_t CallWithSecond(MessageTarget& target, WPARAM, LPARAM second) {
  return (static_cast<T&>(target).*Member)(second);
}
template <class T, int32_t (T::*Member)(WPARAM, LPARAM)>
int32_t CallWithBoth(MessageTarget& target, WPARAM first, LPARAM second) {
  return (static_cast<T&>(target).*Member)(first, second);
}

// Row makers: the thunk always agrees with the member's parameters.
#define MAP_ROW(message, id, idLast, Class, member) \
  { (message), (id), (idLast), &CallWithNothing<Class, &Class::member> }
#define MAP_ROW_FIRST(message, id, idLast, Class, member) \
  { (message), (id), (idLast), &CallWithFirst<Class, &Class::member> }
#define MAP_ROW_SECOND(message, id, idLast, Class, member) \
  { (message), (id), (idLast), &CallWithSecond<Class, &Class::member> }
#define MAP_ROW_BOTH(message, id, idLast, Class, member) \
  { (message), (id), (idLast), &CallWithBoth<Class, &Class::member> }
#define MAP_END \
  { 0, 0, 0, nullptr }

// Walks the rows in order; the first match is called and its result returned.
// NotHandled when no row matches.
int32_t DispatchThroughMap(MessageTarget& target, const MessageMapEntry* map, UINT message,
                           WPARAM first, LPARAM second);
