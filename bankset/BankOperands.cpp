// Collecting the banks below directories named on the command line or chosen in the window.
#include "bankset/BankOperands.h"

#include "soundbank/SoundBank.h"

#include <algorithm>
#include <filesystem>
#include <ostream>

std::vector<std::string> ExpandBankOperands(const std::vector<std::string>& operands, std::vector<OPERANDERROR>& errors)
{
    std::vector<std::string> banks;
    for (const std::string& operand : operands)
    {
        std::error_code ec;
        if (!std::filesystem::is_directory(operand, ec))
        {
            banks.push_back(operand);
            continue;
        }
        // Links to directories are not followed, so a loop of links cannot make the walk endless.
        std::vector<std::string> found;
        std::filesystem::recursive_directory_iterator it(
            operand, std::filesystem::directory_options::skip_permission_denied, ec);
        for (; !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
        {
            std::error_code typeError;
            if (it->is_regular_file(typeError) && CSoundBank::HasBankExtension(it->path()))
                found.push_back(it->path().string());
        }
        if (ec)
            errors.push_back({operand, ec.message()});
        std::sort(found.begin(), found.end());
        banks.insert(banks.end(), found.begin(), found.end());
    }
    return banks;
}

std::vector<std::string> ExpandBankOperands(const std::vector<std::string>& operands, std::ostream& err, bool& failed)
{
    std::vector<OPERANDERROR> errors;
    std::vector<std::string> banks = ExpandBankOperands(operands, errors);
    for (const OPERANDERROR& error : errors)
    {
        err << "orvane-cli: " << error.strOperand << ": " << error.strReason << "\n";
        failed = true;
    }
    return banks;
}
