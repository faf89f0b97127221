// The class-based tools: one object per tool, made when the tool is first used and gone at
// shut-down (`getInstance`, `deleteInstance`). The core's tool events reach its virtual
// operations through the class-based family of the subsystem's table; each tool owns its
// settings as typed persistent options, read when it is made and written when its options
// dialog changes them and at shut-down.
#pragma once

#include <initializer_list>
#include <memory>
#include <vector>

#include "AITypes.h"
#include "core/PWPersistentData.h"

class PWTool {
public:
    virtual ~PWTool() = default;
    PWTool(const PWTool&) = delete;
    PWTool& operator=(const PWTool&) = delete;

    virtual AIErr deselect() { return kNoErr; }
    virtual AIErr trackCursor(AIRealPoint) { return kNoErr; }
    virtual AIErr mouseDown(AIRealPoint) { return kNoErr; }
    virtual AIErr mouseDrag(AIRealPoint) { return kNoErr; }
    // The press (the first click) and whether the cursor was dragged from it.
    virtual AIErr mouseUp(AIRealPoint, bool) { return kNoErr; }
    virtual AIErr editOptions() { return kNoErr; }

    // A fresh group for the tool's art: 1 on the dimension layer (`PrepDimensionLayer`), any
    // other value on the drawing layer (`PrepCADLayer`).
    static AIErr prepLayer(int which);
    AIErr writeSettings() const;

protected:
    PWTool() = default;
    // The tool's settings, read from the store at once.
    void own(std::initializer_list<PWPersistentDataType*> settings);

private:
    std::vector<PWPersistentDataType*> _settings;
};

// The one object of a tool class.
template <class T>
class PWToolInstance {
public:
    static T* getInstance() {
        if (!_instance) _instance.reset(new T);
        return _instance.get();
    }
    static bool hasInstance() { return _instance != nullptr; }
    static void deleteInstance() { _instance.reset(); }

private:
    static inline std::unique_ptr<T> _instance;
};
