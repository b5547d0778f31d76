#pragma once
// ESC between the objects of a long run: the user is asked whether to stop
// ("Wollen Sie die Operation wirklich abbrechen?"); Yes prints " - CANCELLED " and the
// run ends with the changes made so far, No goes on as if nothing was pressed.

// Asked before each object: true when the run must end. Once the user said Yes it
// stays true until ResetUserBreak(), so a run over many drawings ends too.
bool UserBreakConfirmed();
// At the start of a run.
void ResetUserBreak();
