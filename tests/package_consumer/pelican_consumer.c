/* Uses libpelican through its installed header only. */
#include <pelican.h>
#include <stdio.h>

int main(void) {
  PrtHandle printer = PrtPrinterCreatorS("MC300");
  if (printer == NULL) return 1;
  int32_t rc = CPCL_Print(printer);
  PrtPrinterDestroy(printer);
  printf("pelican: %d\n", (int)rc);
  return rc == PRT_ERR_PORT_NOT_OPEN ? 0 : 1;
}
