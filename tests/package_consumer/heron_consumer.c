/* Uses libheron through its installed header only. */
#include <heron.h>
#include <stdio.h>

int main(void) {
  PrtHandle printer = PrtPrinterCreatorS("TQM");
  if (printer == NULL || TSPL_GetDllVersion() != TSPL_DLL_VERSION) return 1;
  int32_t rc = TSPL_Print(printer, 1, 1);
  PrtPrinterDestroy(printer);
  printf("heron: %d\n", (int)rc);
  return rc == PRT_ERR_PORT_NOT_OPEN ? 0 : 1;
}
