#!/usr/bin/env bash
# Continue from a saved game leads into the foundry and the laser boss (story_continue.bash).
source "$(dirname "$0")/story_continue.bash"
continue_into 12 14
