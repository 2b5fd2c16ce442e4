#pragma once
// One program per player folder (see platform/FolderLock.h).

// Takes the folder for this copy. When another copy runs in it, tells the player so in the
// language of the settings and returns false: the program then ends without touching a file.
bool ClaimPlayerFolder();
