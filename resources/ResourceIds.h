// Ids of the program's resources and of the main dialog's controls; shared by the
// resource script and the code.
#pragma once

#define IDD_MAIN 101
#define IDI_CARD 102
#define IDR_KEYS 104
#define IDI_WRITE 105
#define IDI_CHOOSE_FILE 106
#define IDR_CONFIG 107

#define IDC_WRITE 1010
#define IDC_CHOOSE_FILE 1011
#define IDC_RATE 1012
#define IDC_SIZE_TIME 1013
#define IDC_RECORD_PANEL 1014
#define IDC_DISK_PANEL 1015
#define IDC_RECORD_NUMBER 1018
#define IDC_RESET_MUL 1019
#define IDC_CHANNEL_A1 1020  /* A 1..8 */
#define IDC_CHANNEL_B1 1028  /* B 1..8 */
#define IDC_CHANNEL_A9 1036  /* A 9..16 */
#define IDC_CHANNEL_B9 1044  /* B 9..16 */
#define IDC_LAST_CHANNEL 1051
#define IDC_LOOP_RECORD 1052
#define IDC_A_AND_B 1053
#define IDC_BIT0 1054
