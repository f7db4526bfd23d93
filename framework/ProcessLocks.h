#pragma once

#include "framework/RecursiveLock.h"

// Locks shared by every plug-in instance of the process. Each is built on first use, so
// an object that takes its lock while it is constructed is destroyed before the lock.
RecursiveLock& BitmapCacheLock();
RecursiveLock& FontCacheLock();
// Serialises the creation of plug-in instances.
RecursiveLock& InstanceCreationLock();
