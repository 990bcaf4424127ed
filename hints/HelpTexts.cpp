#include "hints/HelpTexts.h"

#include "resources/ResourceIds.h"

// Spacing and punctuation are the texts' own (doubled blanks, "channel.It", the trailing
// blank of the synchronous-mode text); \xE8 is the Cyrillic letter i of code page 1251.
const HelpTextEntry HelpTexts[HelpTextRows + 1] = {
    {IDC_WRITE,
     "Write a file with the following number, the command is available using the F2 key."},
    {IDC_CHOOSE_FILE, "Select a file for record, the command is available using the F4 key."},
    {IDC_RECORD_NUMBER,
     "The number of the file to write. When writing the next file, it increases by 1."},
    {IDC_RECORD_PANEL,
     "An indicator of the process of writing a file to a disk or directly to an SD card."},
    {IDC_DISK_PANEL, "Free space on the selected disk."},
    {IDC_RATE, "The sampling rate per channel."},
    {IDC_SIZE_TIME,
     "The size of the data or the recording time per channel.  The time and size are always "
     "slightly larger, since the size is rounded up to an entire sector in an upward direction."},
    {IDC_RESET_MUL,
     "Enabling the amplifier reset mode to Zero each time the multiplexer is switched. Enabling "
     "the mode reduces the maximum sampling rate per channel.It does not work if one channel is "
     "used."},
    {IDC_LOOP_RECORD,
     "Enabling the cyclic recording mode. For cyclic recording, the recording format differs from "
     "the format used for single recording. A 64-bit cyclic number is added to each block of 124 "
     "ADC words. By finding the minimum cyclic number, you can determine the earliest data block. "
     "Knowing the sampling frequency and the block number, you can determine the recording time of "
     "each of the blocks."},
    {IDC_A_AND_B,
     "Enabling synchronous mode. In this mode, channels A and B are  switched on synchronously, "
     "the selection occurs at the same time. "},
    {IDC_BIT0,
     "Enabling the recording mode of bit 0 of the digital input port in the lower digit of the "
     "16-bit ADC data word (A). The value is written to the data of each channel participating in "
     "data collection."},
    {IDC_CHANNEL_A1,
     "Switching on and selecting the voltage range for channel number 1. ADC (A). It can be used "
     "in differential mode (D)."},
    {IDC_CHANNEL_A1 + 1,
     "Switching on and selecting the voltage range for channel number 2. ADC (A). It can be used "
     "in differential mode (D)."},
    {IDC_CHANNEL_A1 + 2,
     "Switching on and selecting the voltage range for channel number 3. ADC (A). It can be used "
     "in differential mode (D)."},
    {IDC_CHANNEL_A1 + 3,
     "Switching on and selecting the voltage range for channel number 4. ADC (A). It can be used "
     "in differential mode (D)."},
    {IDC_CHANNEL_A1 + 4,
     "Switching on and selecting the voltage range for channel number 5. ADC (A). It can be used "
     "in differential mode (D)."},
    {IDC_CHANNEL_A1 + 5,
     "Switching on and selecting the voltage range for channel number 6. ADC (A). It can be used "
     "in differential mode (D)."},
    {IDC_CHANNEL_A1 + 6,
     "Switching on and selecting the voltage range for channel number 7. ADC (A). It can be used "
     "in differential mode (D)."},
    {IDC_CHANNEL_A1 + 7,
     "Switching on and selecting the voltage range for channel number 8. ADC (A). It can be used "
     "in differential mode (D)."},
    {IDC_CHANNEL_B1,
     "Enabling and selecting the voltage range for channel number 1. ADC (B). It can be used in "
     "differential mode (D). Works only when the button is pressed {A \xE8 B}."},
    {IDC_CHANNEL_B1 + 1,
     "Enabling and selecting the voltage range for channel number 2. ADC (B). It can be used in "
     "differential mode (D). Works only when the button is pressed {A \xE8 B}."},
    {IDC_CHANNEL_B1 + 2,
     "Enabling and selecting the voltage range for channel number 3. ADC (B). It can be used in "
     "differential mode (D). Works only when the button is pressed {A \xE8 B}."},
    {IDC_CHANNEL_B1 + 3,
     "Enabling and selecting the voltage range for channel number 4. ADC (B). It can be used in "
     "differential mode (D). Works only when the button is pressed {A \xE8 B}."},
    {IDC_CHANNEL_B1 + 4,
     "Enabling and selecting the voltage range for channel number 5. ADC (B). It can be used in "
     "differential mode (D). Works only when the button is pressed {A \xE8 B}."},
    {IDC_CHANNEL_B1 + 5,
     "Enabling and selecting the voltage range for channel number 6. ADC (B). It can be used in "
     "differential mode (D). Works only when the button is pressed {A \xE8 B}."},
    {IDC_CHANNEL_B1 + 6,
     "Enabling and selecting the voltage range for channel number 7. ADC (B). It can be used in "
     "differential mode (D). Works only when the button is pressed {A \xE8 B}."},
    {IDC_CHANNEL_B1 + 7,
     "Enabling and selecting the voltage range for channel number 8. ADC (B). It can be used in "
     "differential mode (D). Works only when the button is pressed {A \xE8 B}."},
    {IDC_CHANNEL_A9, "Enabling and selecting the voltage range for channel number 9.  ADC (A)."},
    {IDC_CHANNEL_A9 + 1,
     "Enabling and selecting the voltage range for channel number 10. ADC (A)."},
    {IDC_CHANNEL_A9 + 2,
     "Enabling and selecting the voltage range for channel number 11. ADC (A)."},
    {IDC_CHANNEL_A9 + 3,
     "Enabling and selecting the voltage range for channel number 12. ADC (A)."},
    {IDC_CHANNEL_A9 + 4,
     "Enabling and selecting the voltage range for channel number 13. ADC (A)."},
    {IDC_CHANNEL_A9 + 5,
     "Enabling and selecting the voltage range for channel number 14. ADC (A)."},
    {IDC_CHANNEL_A9 + 6,
     "Enabling and selecting the voltage range for channel number 15. ADC (A)."},
    {IDC_CHANNEL_A9 + 7,
     "Enabling and selecting the voltage range for channel number 16. ADC (A)."},
    {IDC_CHANNEL_B9,
     "Enabling and selecting the voltage range for channel number 9.  ADC (B). Works only when the "
     "button is pressed {A \xE8 B}."},
    {IDC_CHANNEL_B9 + 1,
     "Enabling and selecting the voltage range for channel number 10. ADC (B). Works only when the "
     "button is pressed {A \xE8 B}."},
    {IDC_CHANNEL_B9 + 2,
     "Enabling and selecting the voltage range for channel number 11. ADC (B). Works only when the "
     "button is pressed {A \xE8 B}."},
    {IDC_CHANNEL_B9 + 3,
     "Enabling and selecting the voltage range for channel number 12. ADC (B). Works only when the "
     "button is pressed {A \xE8 B}."},
    {IDC_CHANNEL_B9 + 4,
     "Enabling and selecting the voltage range for channel number 13. ADC (B). Works only when the "
     "button is pressed {A \xE8 B}."},
    {IDC_CHANNEL_B9 + 5,
     "Enabling and selecting the voltage range for channel number 14. ADC (B). Works only when the "
     "button is pressed {A \xE8 B}."},
    {IDC_CHANNEL_B9 + 6,
     "Enabling and selecting the voltage range for channel number 15. ADC (B). Works only when the "
     "button is pressed {A \xE8 B}."},
    {IDC_CHANNEL_B9 + 7,
     "Enabling and selecting the voltage range for channel number 16. ADC (B). Works only when the "
     "button is pressed {A \xE8 B}."},
    {0, nullptr},
};
