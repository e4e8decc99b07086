#!/usr/bin/env bash
# Continue from a saved game leads into the final boss and the conversation after it (story_continue.bash).
source "$(dirname "$0")/story_continue.bash"
continue_into 13 15
