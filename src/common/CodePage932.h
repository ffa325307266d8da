#pragma once

// Lead bytes of code page 932: 0x81-0x9F and 0xE0-0xFC start a two-byte character.
bool IsLeadByte932(unsigned char b);
