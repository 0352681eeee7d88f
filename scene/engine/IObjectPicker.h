#pragma once
// What lies under a pixel of a view: the one question a picker of objects asks of it. SceneView
// answers it by drawing the scene into its pick buffer; a test answers it with objects of its choice.
// Pixels are the view's own, from its top-left. The objects returned belong to the scene and stay
// valid as long as it keeps them. GUI thread only.

#include "scene/engine/SceneRenderer.h"

namespace vtx {

class SceneObject;

class IObjectPicker {
public:
    virtual ~IObjectPicker() = default;
    // The nearest pickable object drawn within one pixel of (x, y), or nullptr.
    virtual SceneObject* pickObject(int x, int y) = 0;
    // The same, looking through the objects lookThrough accepts (e.g. a model floating over the cell
    // the pointer is on).
    virtual SceneObject* pickObjectThrough(int x, int y, const PickFilter& lookThrough) = 0;
};

} // namespace vtx
