#!/usr/bin/env bash
# Continue from a saved game leads into the escape run and the epilogue (story_continue.bash).
source "$(dirname "$0")/story_continue.bash"
continue_into 16 17
