#include "game/arena/world.h"

#include <cmath>

#include "game/common/misc.h"
#include "game/arena/planet.h"

void Object::SetView(float viewX, float viewY) {
    ViewX = viewX;
    ViewY = viewY;
}

void Object::SetZoom(float zoom) { Zoom = zoom; }

void Object::ApplyPlanetGravity(const Planet* planet) {
    if (!planet) return;
    const float px = planet->X;
    const float py = planet->Y;
    const float d = static_cast<float>(std::sqrt(std::pow(px - X, 2.0) + std::pow(py - Y, 2.0)));
    // A body at the very centre has no direction to fall in; leave it be
    // rather than give it an infinite pull.
    if (!(d > 0.0f)) return;
    const float g = planet->Mass * 100.0f * 100.0f / (d * d);

    // Straight above or below the centre the slope is undefined: step aside.
    if (X - px == 0.0f) X = px + 0.0001f;
    const float s = (Y - py) / (X - px);
    const float a = AtanDeg(s);

    // The arctangent only covers -90..90; each quadrant turns it to point at
    // the centre. Exactly one of the four holds.
    if (X < px && Y < py) {
        VX += static_cast<float>(g * CosDeg(a));
        VY += static_cast<float>(g * SinDeg(a));
    }
    if (X >= px && Y <= py) {
        VX -= static_cast<float>(g * CosDeg(a));
        VY -= static_cast<float>(g * SinDeg(a));
    }
    if (X > px && Y > py) {
        VX -= static_cast<float>(g * CosDeg(-a));
        VY += static_cast<float>(g * SinDeg(-a));
    }
    if (X <= px && Y >= py) {
        VX += static_cast<float>(g * CosDeg(a));
        VY += static_cast<float>(g * SinDeg(a));
    }
}

Item::Item(Object* data, Item* prev, Item* next) : Next(next), Prev(prev), Data(data) {}

Iterator::Iterator() : Head(new Item(nullptr, nullptr, nullptr)), Cursor(Head) {}

Iterator::~Iterator() {
    Clear();
    delete Head;
}

void Iterator::Append(Object* obj) {
    Cursor = Head;
    while (Cursor->Next) Cursor = Cursor->Next;
    Cursor->Next = new Item(obj, Cursor, nullptr);
    Cursor = Cursor->Next;
}

void Iterator::Remove(Object* obj) {
    // The head's empty Data never counts as a match, not even for a null obj.
    Cursor = Head;
    while (Cursor->Next && (Cursor == Head || Cursor->Data != obj)) Cursor = Cursor->Next;
    if (Cursor == Head || Cursor->Data != obj) return;

    Item* node = Cursor;
    delete node->Data;
    if (node->Next) node->Next->Prev = node->Prev;
    node->Prev->Next = node->Next;
    Cursor = node->Prev;
    delete node;
}

void Iterator::Clear() {
    Item* node = Head->Next;
    while (node) {
        Item* next = node->Next;
        delete node->Data;
        delete node;
        node = next;
    }
    Head->Next = nullptr;
    Cursor = nullptr;
}

void Iterator::Rewind() { Cursor = Head; }

// Past the end the cursor stays null, so a stray Next after a finished walk
// is harmless.
void Iterator::Next() {
    if (Cursor) Cursor = Cursor->Next;
}

Item* Iterator::Current() const { return Cursor; }
