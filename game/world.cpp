#include "game/world.h"

#include "game/planet.h"

void Object::SetView(float viewX, float viewY) {
    ViewX = viewX;
    ViewY = viewY;
}

void Object::SetZoom(float zoom) { Zoom = zoom; }

void Object::ApplyPlanetGravity(const Planet*) {}

Item::Item(Object* data, Item* prev, Item* next) : Next(next), Prev(prev), Data(data) {}

Iterator::Iterator() : Head(new Item(nullptr, nullptr, nullptr)), Cursor(Head) {}

Iterator::~Iterator() {
    Clear();
    delete Head;
}

void Iterator::Append(Object*) {}
void Iterator::Remove(Object*) {}
void Iterator::Clear() {}
void Iterator::Rewind() { Cursor = Head; }
void Iterator::Next() {}
Item* Iterator::Current() const { return nullptr; }
