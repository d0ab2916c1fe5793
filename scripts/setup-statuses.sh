# The exit statuses of scripts/setup, sourced by it and by the scripts that
# call it.
readonly SETUP_COMPLETE=0        # everything is installed and runs
readonly SETUP_FAILED=1          # something other than 32-bit Wine is missing
readonly SETUP_NO_32BIT_WINE=3   # only 32-bit Wine is missing or does not start
