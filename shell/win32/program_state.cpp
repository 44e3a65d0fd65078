#include "program_state.h"

ProgramState program;
