#pragma once

// Makes a write that another program's lock keeps waiting ask the user,
// through the Dialogs seam, whether to try again (see LockedDatabase).
void askWhenDatabaseLocked();
