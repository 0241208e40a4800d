// Registers the object kinds of this folder: "Scripting.Dictionary",
// "Scripting.FileSystemObject", and "RegExp" (`New RegExp`) with "VBScript.RegExp".
#pragma once

namespace lorvane::vbs {

class ObjectRegistry;

void registerScriptingObjects(ObjectRegistry& registry);

}  // namespace lorvane::vbs
