/* Boot stub in the controller's low code area: jumps to the firmware at 0x8000. The station does
   not program this area, so its records are the ones the loader drops. */
void main(void) { ((void (*)(void))0x8000)(); }
