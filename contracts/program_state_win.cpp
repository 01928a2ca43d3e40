#include "program_state.h"

ProgramState g_program;
