#pragma once
// The objects a drawing target has created, by handle, and the one of each kind selected:
// the bookkeeping the painter and the metafile targets share. Handles are never reused, so
// a stale handle is told apart from a new object.
#include "graphics/DrawingTarget.h"

#include <array>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

namespace exo {

enum class ObjectKind { Pen, Brush, Font };

// Object has the members `kind` (ObjectKind) and `stock` (a stock object is never deleted).
template <class Object> class TargetObjects {
  public:
    explicit TargetObjects(std::string owner) : owner_(std::move(owner)) {}

    ObjectHandle add(Object object) {
        const ObjectHandle handle = next_++;
        objects_.emplace(handle, std::move(object));
        return handle;
    }

    // An unknown handle is a program fault: std::invalid_argument.
    const Object& at(ObjectHandle handle) const {
        const auto found = objects_.find(handle);
        if (found == objects_.end())
            throw std::invalid_argument(owner_ + ": unknown object handle");
        return found->second;
    }

    ObjectHandle selectedHandle(ObjectKind kind) const { return selected_[Index(kind)]; }
    const Object& selected(ObjectKind kind) const { return at(selectedHandle(kind)); }

    // The handle becomes the selected object of its kind; returns the one it replaced.
    ObjectHandle select(ObjectHandle handle) {
        ObjectHandle& slot = selected_[Index(at(handle).kind)];
        return std::exchange(slot, handle);
    }

    // The object taken out of the table; none for a stock object, which stays. Deleting the
    // selected object is a program fault.
    std::optional<Object> remove(ObjectHandle handle) {
        const Object& found = at(handle);
        if (found.stock)
            return std::nullopt;
        if (selectedHandle(found.kind) == handle)
            throw std::invalid_argument(owner_ + ": deleting the selected object");
        std::optional<Object> removed(std::move(objects_.at(handle)));
        objects_.erase(handle);
        return removed;
    }

  private:
    static std::size_t Index(ObjectKind kind) { return static_cast<std::size_t>(kind); }

    std::string owner_;
    std::map<ObjectHandle, Object> objects_;
    ObjectHandle next_ = 1;
    std::array<ObjectHandle, 3> selected_{};
};

} // namespace exo
