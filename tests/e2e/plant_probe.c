/*
 * Positive control for the DLL planting test: a program that imports wininet
 * the careless way (a static import). Run beside the planted marker DLL it
 * must leave the marker; if it does not, the test harness could not detect
 * planting at all and the planting test would prove nothing.
 */
#include <stdio.h>
#include <windows.h>
#include <wininet.h>

int main(void) {
    DWORD rc = InternetAttemptConnect(0);
    printf("InternetAttemptConnect: %lu\n", rc);
    return 0;
}
