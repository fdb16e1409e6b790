#include "core/PointerList.h"

#include <cstring>

namespace {
constexpr int kEntry = static_cast<int>(sizeof(void*));
}

void* IPointerListBase::GetRaw(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return Slots()[index];
}

bool IPointerListBase::GrowByOne() {
  const int wanted = (Count() + 1) * kEntry;
  buffer_.SetByteSize(wanted, false);
  return buffer_.ByteCount() == wanted;
}

bool IPointerListBase::AppendRaw(void* item) {
  if (!GrowByOne()) return false;
  Slots()[Count() - 1] = item;
  return true;
}

bool IPointerListBase::InsertFirstRaw(void* item) {
  if (!GrowByOne()) return false;
  void** slots = Slots();
  std::memmove(slots + 1, slots, static_cast<size_t>(Count() - 1) * sizeof(void*));
  slots[0] = item;
  return true;
}

void IPointerListBase::DeleteAllRaw(void (*destroy)(void*)) {
  for (int i = Count() - 1; i >= 0; --i) {
    destroy(Slots()[i]);
    buffer_.SetByteSize(i * kEntry, false);
  }
  buffer_.SetByteSize(0, false);
}
