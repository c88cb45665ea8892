/* Resource ids of Dorbolt's icons and pictures (see dorbolt.rc). */
#ifndef DORBOLT_RESOURCE_H
#define DORBOLT_RESOURCE_H

#define IDI_LOCK_OPEN    101
#define IDI_LOCK_CLOSED  102
#define IDI_MONITOR_KEY  103

#define IDB_OK           201
#define IDB_CANCEL       202
#define IDB_UNLOCK       203
#define IDB_ABOUT        204
#define IDB_BROWSE       205
#define IDB_CHANGEPW     206
#define IDB_BANNER       207
#define IDB_CAPTION      208
#define IDB_ALARM        209

#endif /* DORBOLT_RESOURCE_H */
