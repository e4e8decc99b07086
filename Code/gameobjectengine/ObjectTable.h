#pragma once
// The scene's object table as the core sees it. Components resolve their owner by id
// through it, and the generic behaviours destroy objects and count names through it.
//
// The scene manager owns the table and installs itself here when it is built, so the
// core never names the layer above it. With nothing installed every id names no object.
#include <cstdint>
#include <string>

class GameObject;

class ObjectTable {
public:
    // The installed table, or null.
    static ObjectTable* Installed();
    // Installs a table (null uninstalls).
    static void Install(ObjectTable* table);

    // The object that holds this id now, or null (out of range or empty slot).
    virtual GameObject* GetGameObject(int32_t id) const = 0;
    // Distinct objects of this name, persistent ones included.
    virtual int CountGameObjectsByName(const std::string& name) const = 0;
    // Deferred destruction of the object that holds the id now; the job keeps the object's
    // reference, so an object gone by then is left alone, whatever took its slot.
    virtual void DestroyGameObject(int32_t id) = 0;
    // Keeps the object (and its components) across scene loads.
    virtual void AddPersistent(GameObject* object) = 0;

protected:
    ObjectTable() = default;
    ~ObjectTable() = default;
};
