// Inside the GDI stand-in: the table that owns every live GDI object and
// memory device context, and the pixel access shared by its parts.
#pragma once

#include <memory>
#include <unordered_map>

#include "platform/gdi/gdi.h"

namespace plat {

class GdiRegistry {
public:
    template <class T>
    T* Add(std::unique_ptr<T> object) {
        T* handle = object.get();
        objects_.emplace(handle, std::move(object));
        return handle;
    }
    // An object still selected into a context is not deleted.
    bool Remove(HGDIOBJ object) {
        for (const auto& [handle, dc] : contexts_)
            if (dc->bitmap == object || dc->font == object) return false;
        return objects_.erase(object) != 0;
    }
    // Takes an object out of the table; the caller owns it from then on.
    void Release(HGDIOBJ object) {
        auto it = objects_.find(object);
        if (it != objects_.end()) {
            (void)it->second.release();
            objects_.erase(it);
        }
    }
    template <class T>
    T* Find(HGDIOBJ object) const {
        auto it = objects_.find(object);
        return it == objects_.end() ? nullptr : dynamic_cast<T*>(it->second.get());
    }
    HDC AddContext() {
        auto dc = std::make_unique<DeviceContext>();
        HDC handle = dc.get();
        contexts_.emplace(handle, std::move(dc));
        return handle;
    }
    bool RemoveContext(HDC dc) { return contexts_.erase(dc) != 0; }

private:
    std::unordered_map<HGDIOBJ, std::unique_ptr<GdiObject>> objects_;
    std::unordered_map<HDC, std::unique_ptr<DeviceContext>> contexts_;
};

GdiRegistry& Gdi();
bool DibTransferFails();

// Size of what a context draws on; false when it has nothing to draw on.
bool DcSize(HDC dc, int* w, int* h);
// Pixel access through a context, inside its size.
COLORREF DcRead(HDC dc, int x, int y);
void DcWrite(HDC dc, int x, int y, COLORREF c);

}  // namespace plat
