#pragma once
// An ordered list of object pointers stored in a growable heap block. The list does not
// own its objects by itself: DeleteAll destroys them with the deleter the owner gives.

#include "core/HeapBuffer.h"

class IPointerListBase {
 public:
  int Count() const { return buffer_.ByteCount() / static_cast<int>(sizeof(void*)); }
  // Null when index is outside 0..Count()-1.
  void* GetRaw(int index) const;
  // Both leave the list unchanged when memory runs out; they report whether it grew.
  bool AppendRaw(void* item);
  bool InsertFirstRaw(void* item);

 protected:
  // Destroys entries from the last to the first, shrinking the list after each one.
  void DeleteAllRaw(void (*destroy)(void*));

 private:
  bool GrowByOne();
  void** Slots() const { return buffer_.As<void*>(); }

  IHeapBuffer buffer_;
};

template <typename T>
class IPointerList : public IPointerListBase {
 public:
  IPointerList() = default;
  IPointerList(const IPointerList&) = delete;
  IPointerList& operator=(const IPointerList&) = delete;

  T* Get(int index) const { return static_cast<T*>(GetRaw(index)); }
  bool Append(T* item) { return AppendRaw(item); }
  bool InsertFirst(T* item) { return InsertFirstRaw(item); }
  void DeleteAll() {
    DeleteAllRaw([](void* item) { delete static_cast<T*>(item); });
  }
};
