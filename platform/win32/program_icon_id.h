#pragma once
// The resource number of the program's icon, shared by the resource script and
// the code. The lowest icon number is the one the shell shows for the file.
#define QUORVEL_PROGRAM_ICON 1
