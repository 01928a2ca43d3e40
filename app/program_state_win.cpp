#include "program_state.h"

ProgramState g_program;

void BuildUpperCaseTable(unsigned char (&table)[256]) {
  for (int i = 0; i < 256; ++i) table[i] = (i >= 'a' && i <= 'z') ? (unsigned char)(i - 'a' + 'A') : (unsigned char)(i);
}
