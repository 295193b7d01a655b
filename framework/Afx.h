#pragma once
// The class library's core in one include: objects and run-time classes,
// strings, collections, exceptions, files and archives.

#include <windows.h>
#include "framework/Debug.h"
#include "framework/Object.h"
#include "framework/ResourceHandle.h"
#include "framework/String.h"
#include "framework/Exception.h"
#include "framework/File.h"
#include "framework/Archive.h"
#include "framework/Position.h"
#include "framework/Array.h"
#include "framework/List.h"
#include "framework/Map.h"
