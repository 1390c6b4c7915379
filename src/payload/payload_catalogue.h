#pragma once
// The names of the nine payload resources, in the order the installation run loads,
// counts and writes them. The resource table stores them in upper case.
namespace tarnwick {

inline constexpr char kPayloadCatalogue[] =
    "rs_cmd,rs_exe,rs_wlb1,rs_hlp,rs_icon,rs_wlbv4,rs_wlbv4add,rs_readme,rs_pr32";

}  // namespace tarnwick
