// Everything that lives in the arena is an Object: ships, shots, asteroids and
// planets. Object gives them a position, velocity, life and radius, the view
// offset and zoom that map world units to screen pixels, and the operations
// the play frame calls on each of them.
//
// The arena is 0..kArenaSize world units on each axis. A world point (x, y) is
// drawn at (x * Zoom * 0.1 - ViewX, y * Zoom * 0.1 - ViewY).
#pragma once

class Planet;

// The side of the square arena, in world units. Nothing wraps at its border:
// soft walls push bodies beyond it back.
inline constexpr float kArenaSize = 2000.0f;

class Object {
public:
    virtual ~Object() = default;

    virtual void Update() = 0;
    virtual void Draw() {}
    // Never called by the game.
    virtual void DrawBrackets() {}
    virtual void Collide() {}

    void SetView(float viewX, float viewY);
    void SetZoom(float zoom);

    // One frame of the planet's pull on a free body; no speed limit. A body
    // exactly above or below the planet's centre is first nudged 0.0001 to
    // the right.
    void ApplyPlanetGravity(const Planet* planet);

    float ViewX = 0;
    float ViewY = 0;
    float Zoom = 0;  // screen pixels per 10 world units
    float Life = 0;  // hull points, hit points, or 1.0 / negative for shots
    float X = 0, Y = 0;
    float VX = 0, VY = 0;
    float Radius = 0;

protected:
    Object() = default;
};

// One node of an Iterator.
struct Item {
    Item(Object* data, Item* prev, Item* next);
    Item* Next;
    Item* Prev;
    Object* Data;
};

// An owning doubly linked list of objects with a dummy head and one cursor.
// The game keeps its live shots in one. The list owns its nodes and the
// objects they hold.
//
// A walk: Rewind(); Next(); while (Current()) { ... maybe Remove(obj) ...; Next(); }
// Removing the object under the cursor leaves the cursor on the node before
// it, so the walk goes on with the node that followed.
class Iterator {
public:
    Iterator();
    ~Iterator();
    Iterator(const Iterator&) = delete;
    Iterator& operator=(const Iterator&) = delete;

    // Adds obj at the end and leaves the cursor on the new node.
    void Append(Object* obj);
    // Unlinks and deletes the node holding obj and obj itself. When obj is
    // not in the list nothing changes and the cursor stays on the last node.
    void Remove(Object* obj);
    // Deletes every node but the head, with its object; the cursor is null.
    void Clear();
    void Rewind();
    void Next();
    Item* Current() const;

    Item* Head;
    Item* Cursor;
};
