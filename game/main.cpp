// The game program's own names: its caption (which also names the
// single-instance guard) and its answer to activation, which Pelmora ignores.
#include <mu.h>

extern const char appCaption[] = "Pelmora";

void OnActivate(int) {}
